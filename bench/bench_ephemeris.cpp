// Timings of the ephemeris hot paths: the chart's positions, the Sun alone
// (Sun-contact searches), the Moon alone (moon searches), the Moon with node
// and detail (charts), and the nutation.
#include <benchmark/benchmark.h>

#include <cmath>

#include "ephemeris/ephemeris.h"
#include "ephemeris/planets.h"

namespace {

// Successive instants a little over a third of a day apart, kept within a
// century of J2000, so that every call works on new arguments.
struct Clock {
  long double ldJde = 2451545.0L;
  long double Next() {
    ldJde += 0.3712L;
    if (ldJde > 2451545.0L + 36525.0L) ldJde -= 73050.0L;
    return ldJde;
  }
};

void BM_GetPositionData_AllBodies(benchmark::State& state) {
  Clock c;
  PositionData pd{};
  for (auto _ : state) benchmark::DoNotOptimize(GetPositionData(c.Next(), &pd, -1));
}
BENCHMARK(BM_GetPositionData_AllBodies);

void BM_GetPositionData_Sun(benchmark::State& state) {
  Clock c;
  for (auto _ : state) benchmark::DoNotOptimize(GetPositionData(c.Next(), nullptr, 0));
}
BENCHMARK(BM_GetPositionData_Sun);

void BM_GetPositionData_Mercury(benchmark::State& state) {
  Clock c;
  for (auto _ : state) benchmark::DoNotOptimize(GetPositionData(c.Next(), nullptr, kMercury));
}
BENCHMARK(BM_GetPositionData_Mercury);

void BM_GetPositionData_Pluto(benchmark::State& state) {
  Clock c;
  for (auto _ : state) benchmark::DoNotOptimize(GetPositionData(c.Next(), nullptr, kPluto));
}
BENCHMARK(BM_GetPositionData_Pluto);

void BM_GetMoonData_LongitudeOnly(benchmark::State& state) {
  Clock c;
  for (auto _ : state) {
    benchmark::DoNotOptimize(GetMoonData(static_cast<double>(c.Next()), nullptr, nullptr));
  }
}
BENCHMARK(BM_GetMoonData_LongitudeOnly);

void BM_GetMoonData_NodeAndDetail(benchmark::State& state) {
  Clock c;
  double dNode;
  MoonDetail d;
  for (auto _ : state) {
    benchmark::DoNotOptimize(GetMoonData(static_cast<double>(c.Next()), &dNode, &d));
    benchmark::DoNotOptimize(d);
  }
}
BENCHMARK(BM_GetMoonData_NodeAndDetail);

void BM_GetNutation_Longitude(benchmark::State& state) {
  Clock c;
  for (auto _ : state) {
    benchmark::DoNotOptimize(GetNutation(static_cast<double>((c.Next() - 2451545.0L) / 36525.0L), nullptr));
  }
}
BENCHMARK(BM_GetNutation_Longitude);

void BM_GetNutation_LongitudeAndObliquity(benchmark::State& state) {
  Clock c;
  double dEps;
  for (auto _ : state) {
    benchmark::DoNotOptimize(GetNutation(static_cast<double>((c.Next() - 2451545.0L) / 36525.0L), &dEps));
    benchmark::DoNotOptimize(dEps);
  }
}
BENCHMARK(BM_GetNutation_LongitudeAndObliquity);

}  // namespace

BENCHMARK_MAIN();
