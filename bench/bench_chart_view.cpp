// Speed of the chart view: the default person's wheel and summary panel
// drawn for an 800 x 560 client area, as an SVG document (horomira chart
// --svg, conversion to UTF-8 included) and on the recording canvas of the
// tests (the drawing's own cost, nothing stored but a list of calls).
#include <benchmark/benchmark.h>

#include "chart/chart_driver.h"
#include "chart/chart_text.h"
#include "chart/chart_view.h"
#include "chart/houses.h"
#include "chart/svg_canvas.h"
#include "persistence/settings.h"
#include "recording_canvas.h"

namespace {

ChartSlots& DefaultPersonSlots() {
  static ChartSlots slots;
  static bool bMade = false;
  if (!bMade) {
    ResetChartSlots(&slots);
    BirthRecord person;
    MakeDefaultPerson(&person, "Jul  7 2000", "12:00:00");
    HoromiraMain(person, person, &slots.charts[kSlotNatal], kChartNatal, 0, 1.0, kOriginOrdinary);
    bMade = true;
  }
  return slots;
}

ChartViewState ViewState() {
  ChartViewState st{};
  st.HouseType = kHouseTypeEqualAsc;
  st.fScale = 1.0f;
  return st;
}

constexpr ChartViewArea kArea{800, 560, 0};

void BM_ChartViewToSvg(benchmark::State& state) {
  ChartSlots& slots = DefaultPersonSlots();
  ChartViewState st = ViewState();
  size_t nBytes = 0;
  for (auto _ : state) {
    SvgCanvas svg{std::string(), 0};
    ChartLayout layout;
    benchmark::DoNotOptimize(PaintChartView(MakeSvgCanvas(&svg), &slots, &st, kArea, &layout));
    const std::string sDoc = SvgDocument(svg, kArea.iWidth, kArea.iHeight);
    nBytes = sDoc.size();
    benchmark::DoNotOptimize(sDoc.data());
  }
  state.counters["svg_bytes"] = static_cast<double>(nBytes);
}
BENCHMARK(BM_ChartViewToSvg)->Unit(benchmark::kMicrosecond);

void BM_ChartViewToRecording(benchmark::State& state) {
  ChartSlots& slots = DefaultPersonSlots();
  ChartViewState st = ViewState();
  size_t nOps = 0;
  for (auto _ : state) {
    RecordingCanvas rc;
    ChartLayout layout;
    benchmark::DoNotOptimize(PaintChartView(MakeRecordingCanvas(&rc), &slots, &st, kArea, &layout));
    nOps = rc.ops.size();
  }
  state.counters["calls"] = static_cast<double>(nOps);
}
BENCHMARK(BM_ChartViewToRecording)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
