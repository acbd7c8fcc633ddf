// horomira chart --svg: the chart view written as an SVG picture.
#pragma once

#include <string>

#include "chart/chart_record.h"
#include "cli/cli.h"

// What --svg, --size, --view and --background ask for.
struct SvgOptions {
  std::string sFile;  // Shift-JIS path; empty: no picture asked for
  int iWidth = 800;   // client area below the tool bar, pixels
  int iHeight = 560;
  int iView = kViewChart;  // ViewMode 0..3
  int iBackColor = 0;      // background setting 0..5
};

// TakeSvgOptions: removes the four options from the arguments.  Returns 0,
// or the exit code after a message for a bad value (size not WxH of 1 to
// 10000 pixels, view not 0..3, background not 0..5) or for --size, --view
// or --background without --svg.
int TakeSvgOptions(CliArgs& a, SvgOptions* pOptions);

// WriteChartSvg: paints the chart view of the slots (the chart on view,
// the view mode and, in view 3, the inner chart are set by the caller) as
// Horomap.exe paints a client area of that size with equal houses, and
// writes it to the file.  Points the wheel cannot place are listed in a box
// over the picture, as the program shows them in a message box.  Returns 0,
// or the exit code after a message when the file cannot be written (no
// file is left behind).
int WriteChartSvg(const SvgOptions& options, ChartSlots* pSlots);
