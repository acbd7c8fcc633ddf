// A canvas that records what is drawn, for the tests of the chart view.
// Its fonts are fixed-pitch: the system fixed font 8 x 16 pixels per byte
// with no external leading, other fonts half their height wide per byte.
#pragma once

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "chart/canvas.h"

enum RecordedKind { kOpCircle, kOpLine, kOpFill, kOpFrame, kOpText, kOpBitmap, kOpButton };

struct RecordedOp {
  RecordedKind kind;
  CanvasTag tag;
  int x1, y1, x2, y2;  // line ends; rectangle corners; circle centre (x1, y1); text, bitmap, button corner
  int r;               // circle radius; button side
  int iId;             // bitmap resource or button command
  std::string text;    // text or button caption
  CanvasFont font;
  CanvasColor cr, crBack;  // pen, fill or text colour; fill or text background
};

struct RecordingCanvas {
  std::vector<RecordedOp> ops;
  int iCharWidth = 8;
  int iCharHeight = 16;

  std::vector<RecordedOp> Find(int iRole) const {
    std::vector<RecordedOp> found;
    for (const RecordedOp& op : ops) {
      if (op.tag.iRole == iRole) found.push_back(op);
    }
    return found;
  }
  const RecordedOp* FindText(const std::string& s) const {
    for (const RecordedOp& op : ops) {
      if (op.kind == kOpText && op.text == s) return &op;
    }
    return nullptr;
  }
};

namespace recording {

inline RecordingCanvas* Rc(void* p) { return static_cast<RecordingCanvas*>(p); }
inline RecordedOp Op(RecordedKind kind, const CanvasTag& tag) {
  RecordedOp op{};
  op.kind = kind;
  op.tag = tag;
  return op;
}
inline int CharWidth(const RecordingCanvas& rc, const CanvasFont& f) {
  if (f.iFace == kFaceSystemFixed) return rc.iCharWidth;
  if (f.iWidth > 0) return f.iWidth;
  return f.iPoints > 0 ? f.iPoints * 96 / 72 / 2 : f.iHeight / 2;
}

}  // namespace recording

inline Canvas MakeRecordingCanvas(RecordingCanvas* pRc, bool bButtons = true) {
  using namespace recording;
  Canvas c{};
  c.pContext = pRc;
  c.Circle = [](void* p, const CanvasTag& tag, int cx, int cy, int r, CanvasColor crPen, CanvasColor crFill) {
    RecordedOp op = Op(kOpCircle, tag);
    op.x1 = cx, op.y1 = cy, op.r = r, op.cr = crPen, op.crBack = crFill;
    Rc(p)->ops.push_back(op);
  };
  c.Line = [](void* p, const CanvasTag& tag, int x1, int y1, int x2, int y2, CanvasColor crPen) {
    RecordedOp op = Op(kOpLine, tag);
    op.x1 = x1, op.y1 = y1, op.x2 = x2, op.y2 = y2, op.cr = crPen;
    Rc(p)->ops.push_back(op);
  };
  c.FillRect = [](void* p, const CanvasTag& tag, const CanvasRect& rc, CanvasColor crFill) {
    RecordedOp op = Op(kOpFill, tag);
    op.x1 = rc.left, op.y1 = rc.top, op.x2 = rc.right, op.y2 = rc.bottom, op.cr = crFill;
    Rc(p)->ops.push_back(op);
  };
  c.Frame3D = [](void* p, const CanvasTag& tag, const CanvasRect& rc) {
    RecordedOp op = Op(kOpFrame, tag);
    op.x1 = rc.left, op.y1 = rc.top, op.x2 = rc.right, op.y2 = rc.bottom;
    Rc(p)->ops.push_back(op);
  };
  c.Text = [](void* p, const CanvasTag& tag, int x, int y, const char* sz, const CanvasFont& font,
              CanvasColor crText, CanvasColor crBack) {
    RecordedOp op = Op(kOpText, tag);
    op.x1 = x, op.y1 = y, op.text = sz, op.font = font, op.cr = crText, op.crBack = crBack;
    Rc(p)->ops.push_back(op);
  };
  c.TextWidth = [](void* p, const CanvasFont& font, const char* sz) {
    return static_cast<int>(strlen(sz)) * CharWidth(*Rc(p), font);
  };
  c.LineHeight = [](void* p, const CanvasFont& font) {
    return font.iFace == kFaceSystemFixed ? Rc(p)->iCharHeight : 2 * CharWidth(*Rc(p), font);
  };
  c.Bitmap = [](void* p, const CanvasTag& tag, int iId, int x, int y) {
    RecordedOp op = Op(kOpBitmap, tag);
    op.x1 = x, op.y1 = y, op.iId = iId;
    Rc(p)->ops.push_back(op);
  };
  if (bButtons) {
    c.Button = [](void* p, const CanvasTag& tag, int iId, const char* sz, int x, int y, int iSize) {
      RecordedOp op = Op(kOpButton, tag);
      op.x1 = x, op.y1 = y, op.r = iSize, op.iId = iId, op.text = sz;
      Rc(p)->ops.push_back(op);
    };
  }
  return c;
}
