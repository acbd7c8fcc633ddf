// The chart view as a picture.
#include "chart/chart_picture.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "chart/svg_canvas.h"

void DrawOverflowBox(const Canvas& c, const char* szList, int iWidth, int iHeight) {
  std::vector<std::string> lines;
  std::string sLine;
  for (const char* p = szList; *p; ++p) {
    if (*p == '\r') continue;
    if (*p == '\n') {
      lines.push_back(sLine);
      sLine.clear();
    } else {
      sLine += *p;
    }
  }
  if (!sLine.empty()) lines.push_back(sLine);
  const int L = c.LineHeight(c.pContext, kSystemFixedFont);
  int iTextWidth = 0;
  for (const std::string& s : lines)
    iTextWidth = std::max(iTextWidth, c.TextWidth(c.pContext, kSystemFixedFont, s.c_str()));
  const int w = iTextWidth + 2 * kOverflowBoxPadding;
  const int h = static_cast<int>(lines.size()) * L + 2 * kOverflowBoxPadding;
  const int left = std::max(0, (iWidth - w) / 2), top = std::max(0, (iHeight - h) / 2);
  const CanvasRect rc{left, top, left + w, top + h};
  c.FillRect(c.pContext, Tag(kRoleOverflow), rc, CanvasRgb(255, 255, 255));
  c.Frame3D(c.pContext, Tag(kRoleOverflow), rc);
  for (size_t i = 0; i < lines.size(); ++i) {
    c.Text(c.pContext, Tag(kRoleOverflow), left + kOverflowBoxPadding,
           top + kOverflowBoxPadding + static_cast<int>(i) * L, lines[i].c_str(), kSystemFixedFont,
           CanvasRgb(0, 0, 0), kCanvasNone);
  }
}

int PaintChartPicture(const Canvas& canvas, ChartSlots* pSlots, const ChartViewState& view, int iWidth,
                      int iHeight) {
  // The state block holds the 4 KB overflow text: kept off the stack.
  const std::unique_ptr<ChartViewState> pState(new ChartViewState(view));
  pState->bFirstPaint = 0;
  pState->bOpaque = 0;
  pState->bQuickMenu = 0;
  pState->szOverflow[0] = '\0';
  ChartLayout layout{};
  const int iResult = PaintChartView(canvas, pSlots, pState.get(), ChartViewArea{iWidth, iHeight, 0}, &layout);
  if (iResult == 0) DrawOverflowBox(canvas, pState->szOverflow, iWidth, iHeight);
  return iResult;
}

std::string ChartSvgPicture(ChartSlots* pSlots, const ChartViewState& view, int iWidth, int iHeight) {
  const std::unique_ptr<ChartViewState> pState(new ChartViewState(view));
  pState->fScale = kPictureScale;
  SvgCanvas svg{std::string(), view.iBackColor};
  PaintChartPicture(MakeSvgCanvas(&svg), pSlots, *pState, iWidth, iHeight);
  return SvgDocument(svg, iWidth, iHeight);
}
