// Speed of the event searches and listings: the 101 solar returns of the
// solar-return dialog, a 64-line Moon ephemeris at one-second steps, a month
// of Moon ingresses, the recent almanac, and single searches.
#include <benchmark/benchmark.h>

#include "events/events.h"
#include "time/timescale.h"

namespace {

char g_szText[32768];

void BM_SolarReturns101(benchmark::State& state) {
  const long double ldNatalJde = JstToJde(DateTime{1990, 6, 15, 8, 30, 0.0});
  DateTime returns[kNumSolarReturns];
  for (auto _ : state) {
    SolarReturnMoments(ldNatalJde, returns);
    benchmark::DoNotOptimize(returns);
  }
}
BENCHMARK(BM_SolarReturns101)->Unit(benchmark::kMillisecond);

void BM_MoonEphem64Seconds(benchmark::State& state) {
  const DateTime start = {2024, 3, 10, 12, 0, 0.0};
  for (auto _ : state) {
    MakeEphem(start, 1, kEphemStepSecond, g_szText);
    benchmark::DoNotOptimize(g_szText);
  }
}
BENCHMARK(BM_MoonEphem64Seconds)->Unit(benchmark::kMicrosecond);

void BM_MoonIngressMonth(benchmark::State& state) {
  const DateTime month = {2024, 2, 1, 0, 0, 0.0};
  for (auto _ : state) {
    ListMoonIngresses(month, g_szText);
    benchmark::DoNotOptimize(g_szText);
  }
}
BENCHMARK(BM_MoonIngressMonth)->Unit(benchmark::kMicrosecond);

void BM_RecentAlmanac(benchmark::State& state) {
  const DateTime now = {2024, 5, 10, 21, 30, 15.0};
  for (auto _ : state) {
    MakeAlmanacText(now, g_szText, sizeof g_szText);
    benchmark::DoNotOptimize(g_szText);
  }
}
BENCHMARK(BM_RecentAlmanac)->Unit(benchmark::kMicrosecond);

void BM_SunIngressYear(benchmark::State& state) {
  const DateTime year = {2024, 1, 1, 0, 0, 0.0};
  for (auto _ : state) {
    GetSunIngressT(&year, g_szText, sizeof g_szText, kCmdSunIngressList);
    benchmark::DoNotOptimize(g_szText);
  }
}
BENCHMARK(BM_SunIngressYear)->Unit(benchmark::kMicrosecond);

void BM_NextSunContact(benchmark::State& state) {
  double t = 2460300.0;
  for (auto _ : state) benchmark::DoNotOptimize(GetNextSunContactJde(t, 90.0));
}
BENCHMARK(BM_NextSunContact)->Unit(benchmark::kMicrosecond);

void BM_NextNewMoon(benchmark::State& state) {
  double t = 2460300.0;
  for (auto _ : state) benchmark::DoNotOptimize(GetNextMoonPhaseJde(t, 0.0));
}
BENCHMARK(BM_NextNewMoon)->Unit(benchmark::kMicrosecond);

// Evaluations of the ephemeris per search, counted through the quantity.
int g_iCalls = 0;
double CountedSun(double dJde) {
  ++g_iCalls;
  return SunLongitude(dJde);
}
double CountedElongation(double dJde) {
  ++g_iCalls;
  return GetMoonSunElongation(dJde);
}

void BM_EvaluationsPerSearch(benchmark::State& state) {
  int iSearches = 0;
  g_iCalls = 0;
  for (auto _ : state) {
    for (int i = 0; i < 12; ++i) {
      benchmark::DoNotOptimize(FindContactJde(2460300.0 + 30.0 * i, 45.0, CountedSun, 1.0, "!"));
      benchmark::DoNotOptimize(
          FindContactJde(2460300.0 + 30.0 * i, 180.0, CountedElongation, 12.19, "!"));
      iSearches += 2;
    }
  }
  state.counters["evaluations_per_search"] = static_cast<double>(g_iCalls) / iSearches;
}
BENCHMARK(BM_EvaluationsPerSearch)->Unit(benchmark::kMicrosecond);

}  // namespace
