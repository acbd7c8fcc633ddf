// The chart view as a picture: what Horomap.exe prints, saves as PNG or SVG
// and puts on the clipboard, and what horomira chart --svg writes.
//
// A picture is the chart area as the main window paints it, without what
// belongs to the window rather than to the chart: the quick-menu card and
// its buttons are left out, and the list of points the wheel could not
// place, which the window shows in a message box, is drawn in a framed box
// in the middle of the picture.
#pragma once

#include <string>

#include "base/chart_record.h"
#include "chart/canvas.h"
#include "chart/chart_view.h"

// The size factor k of a picture drawn with the metrics of a 96-dpi screen
// (the SVG canvas, and the GDI canvas measuring on such a screen): the
// system fixed font is 8 pixels per byte, and k is the width of 20 bytes
// times 0.00625.
constexpr float kPictureScale = 1.0f;

// Padding around the text of the overflow box, pixels.
constexpr int kOverflowBoxPadding = 10;

// DrawOverflowBox: the list of points the wheel could not place (lines
// separated by "\r\n") in a white box with a raised frame, centred in a
// picture of iWidth x iHeight pixels, in the system fixed font.
void DrawOverflowBox(const Canvas& canvas, const char* szList, int iWidth, int iHeight);

// PaintChartPicture: the chart view of the slots in a picture of iWidth x
// iHeight pixels (an area at the top of the picture), drawn with the
// inputs of view (house system, background, size factor); the quick-menu
// card is not drawn and the first-paint switch to the transit chart never
// happens.  Returns PaintChartView's result: 0 when points were left out
// (their box is then drawn over the picture).
int PaintChartPicture(const Canvas& canvas, ChartSlots* pSlots, const ChartViewState& view, int iWidth,
                      int iHeight);

// ChartSvgPicture: the picture as an SVG document in UTF-8, drawn on the
// SVG canvas under view's house system and background with the size
// factor kPictureScale.
std::string ChartSvgPicture(ChartSlots* pSlots, const ChartViewState& view, int iWidth, int iHeight);
