// The SVG canvas: the chart view as an SVG document, the way Horomap.exe
// paints it, with a class on every element (the CanvasRole names) and the
// program's glyph images embedded as PNG data.  Both front ends write it:
// horomira chart --svg and Horomap.exe's 図を保存 (chart_picture.h).
#pragma once

#include <string>

#include "chart/canvas.h"

// An SVG picture being drawn: its elements in drawing order, and the
// background setting that palette colours are looked up under.
struct SvgCanvas {
  std::string sBody;
  int iBackColor;
};

// MakeSvgCanvas: a canvas drawing into *pSvg.  Its fonts measure as the
// program's fonts do on a 96-dpi screen (the system fixed font 8 x 16 pixels
// per byte); it has no buttons.
Canvas MakeSvgCanvas(SvgCanvas* pSvg);

// SvgDocument: the finished document of a picture of iWidth x iHeight
// pixels (UTF-8).
std::string SvgDocument(const SvgCanvas& svg, int iWidth, int iHeight);
