// The whole natal chart (HoromiraMain) side by side with Swiss Ephemeris
// computing the same ten bodies, the true node and Placidus houses, in one
// run; and the golden natal chart of the tests checked against the same
// reference.  Swiss Ephemeris is a reference here only.
#include <benchmark/benchmark.h>
#include <swephexp.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "chart/chart_driver.h"
#include "chart/chart_text.h"
#include "chart/places.h"
#include "time/sidereal.h"
#include "time/timescale.h"

namespace {

// The golden person of the tests: Tokyo, 1990-05-17 14:23 JST.
BirthRecord GoldenPerson() {
  BirthRecord rec{};
  rec.time = DateTime{1990, 5, 17, 14, 23, 0.0};
  snprintf(rec.szName, sizeof rec.szName, "Golden");
  SetPlaceFromRow(&rec, kDefaultPlaceRow);
  rec.bTimeKnown = 1;
  rec.dwMagic = kRecordMagic;
  return rec;
}

// One moment of the benchmark, prepared for both sides.
struct Moment {
  DateTime jst;
  double dJdUt;
  double dJde;
};

// 1024 moments a little over a third of a day apart from the golden
// birth, so that neither side can reuse a previous result.
const std::vector<Moment>& Moments() {
  static std::vector<Moment> moments;
  if (!moments.empty()) return moments;
  const long double ldStart = DateToJd(GoldenPerson().time, kJstZoneHours);
  for (int i = 0; i < 1024; ++i) {
    Moment m;
    const long double ldJd = ldStart + 0.3712L * i;
    JdToDate(ldJd + kJstZoneDays, &m.jst);
    m.dJdUt = static_cast<double>(ldJd);
    m.dJde = static_cast<double>(JstToJde(m.jst));
    moments.push_back(m);
  }
  return moments;
}

// The place of the golden person on the IAU 1976 ellipsoid, for swe_houses.
void GoldenPlaceIau(double* pdLat, double* pdLong) {
  const BirthRecord rec = GoldenPerson();
  *pdLat = rec.dBirthLat;
  *pdLong = rec.dBirthLong;
  JapanGeoToIAU76(pdLat, pdLong);
}

const int kSweBodies[10] = {SE_SUN,    SE_MOON,   SE_MERCURY, SE_VENUS,   SE_MARS,
                            SE_JUPITER, SE_SATURN, SE_URANUS,  SE_NEPTUNE, SE_PLUTO};
const int kChartSlotOfSweBody[10] = {Sun, Moon, Mercury, Venus, Mars, Jupiter, Saturn, Uranus, Neptune, Pluto};

// Both sides run in interleaved repetitions (random order), so that the
// other programs of a shared machine disturb them alike, and the ratio is
// taken from the median CPU time of each side's repetitions: the real time
// of a loaded machine includes whatever ran in between.
constexpr int kRepetitions = 12;
constexpr double kSecondsPerRepetition = 0.2;

void BM_HoromiraMain_Natal(benchmark::State& state) {
  static ChartRecord chart;
  ResetChartRecord(&chart);
  BirthRecord rec = GoldenPerson();
  const std::vector<Moment>& moments = Moments();
  size_t i = 0;
  for (auto _ : state) {
    rec.time = moments[i++ & 1023].jst;
    HoromiraMain(rec, rec, &chart, kChartNatal, 0, 1.0, kOriginOrdinary);
    benchmark::DoNotOptimize(chart.dLong[Sun]);
  }
}
BENCHMARK(BM_HoromiraMain_Natal)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(kRepetitions)
    ->MinTime(kSecondsPerRepetition);

void BM_SwissEphemeris_SameChart(benchmark::State& state) {
  double dLat, dLong;
  GoldenPlaceIau(&dLat, &dLong);
  const std::vector<Moment>& moments = Moments();
  size_t i = 0;
  double xx[6], cusps[13], ascmc[10];
  char szErr[AS_MAXCH];
  for (auto _ : state) {
    const Moment& m = moments[i++ & 1023];
    for (int iBody : kSweBodies) swe_calc(m.dJde, iBody, SEFLG_SWIEPH | SEFLG_SPEED, xx, szErr);
    swe_calc(m.dJde, SE_TRUE_NODE, SEFLG_SWIEPH, xx, szErr);
    swe_houses(m.dJdUt, dLat, dLong, 'P', cusps, ascmc);
    benchmark::DoNotOptimize(cusps[1]);
  }
}
BENCHMARK(BM_SwissEphemeris_SameChart)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(kRepetitions)
    ->MinTime(kSecondsPerRepetition);

// Keeps the CPU and real time per chart of every repetition for the ratio;
// shows the statistics of the repetitions only.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  struct Times {
    std::vector<double> cpu, real;
  };
  std::map<std::string, Times> times;

  void ReportRuns(const std::vector<Run>& runs) override {
    std::vector<Run> aggregates;
    for (const Run& r : runs) {
      if (r.run_type == Run::RT_Iteration) {
        times[r.run_name.function_name].cpu.push_back(r.GetAdjustedCPUTime());
        times[r.run_name.function_name].real.push_back(r.GetAdjustedRealTime());
      } else {
        aggregates.push_back(r);
      }
    }
    if (!aggregates.empty()) ConsoleReporter::ReportRuns(aggregates);
  }

  static double Median(std::vector<double> v) {
    if (v.empty()) return 0.0;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : 0.5 * (v[v.size() / 2 - 1] + v[v.size() / 2]);
  }
  static double Fastest(const std::vector<double>& v) {
    return v.empty() ? 0.0 : *std::min_element(v.begin(), v.end());
  }
};

double ArcSeconds(double dProgram, double dReference) {
  double d = std::fmod(dProgram - dReference, 360.0);
  if (d > 180.0) d -= 360.0;
  if (d < -180.0) d += 360.0;
  return d * 3600.0;
}

// The golden natal chart against the reference: apparent longitudes of
// date without light deflection (the program applies none), the node on
// the mean equinox of date, the houses of swe_houses at the converted place.
void PrintGoldenCrossCheck() {
  static ChartRecord chart;
  ResetChartRecord(&chart);
  const BirthRecord rec = GoldenPerson();
  HoromiraMain(rec, rec, &chart, kChartNatal, 0, 1.0, kOriginOrdinary);
  const double dJde = static_cast<double>(chart.ldJde), dJd = static_cast<double>(chart.ldJd);
  printf("Golden natal chart (1990-05-17 14:23 JST, Tokyo), program - Swiss Ephemeris, arc seconds:\n");
  double xx[6];
  char szErr[AS_MAXCH];
  for (int k = 0; k < 10; ++k) {
    swe_calc(dJde, kSweBodies[k], SEFLG_SWIEPH | SEFLG_NOGDEFL, xx, szErr);
    const int i = kChartSlotOfSweBody[k];
    printf("  %-8s %12.6f  %+7.2f\n", kChartPointNames[i], chart.dLong[i], ArcSeconds(chart.dLong[i], xx[0]));
  }
  swe_calc(dJde, SE_TRUE_NODE, SEFLG_SWIEPH | SEFLG_NONUT, xx, szErr);
  printf("  %-8s %12.6f  %+7.2f\n", "DragonH", chart.dLong[DragonH], ArcSeconds(chart.dLong[DragonH], xx[0]));
  double dLat, dLong, cusps[13], ascmc[10];
  GoldenPlaceIau(&dLat, &dLong);
  swe_houses(dJd, dLat, dLong, 'P', cusps, ascmc);
  printf("  %-8s %12.6f  %+7.2f\n", "Asc", chart.dLong[Asc], ArcSeconds(chart.dLong[Asc], ascmc[0]));
  printf("  %-8s %12.6f  %+7.2f\n", "MC", chart.dLong[MC], ArcSeconds(chart.dLong[MC], ascmc[1]));
  double dWorst = 0.0;
  for (int k = 0; k < 12; ++k) dWorst = std::fmax(dWorst, std::fabs(ArcSeconds(chart.dCusp[k], cusps[k + 1])));
  printf("  cusps 1..12 (Placidus): largest difference %.2f\n\n", dWorst);
  fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  swe_set_ephe_path(const_cast<char*>(SWE_EPHE_DIR));
  PrintGoldenCrossCheck();
  // The repetitions of the two sides interleaved unless asked otherwise.
  std::vector<char*> args(argv, argv + argc);
  char szInterleave[] = "--benchmark_enable_random_interleaving=true";
  args.insert(args.begin() + 1, szInterleave);
  int iArgs = static_cast<int>(args.size());
  benchmark::Initialize(&iArgs, args.data());
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const RatioReporter::Times& program = reporter.times["BM_HoromiraMain_Natal"];
  const RatioReporter::Times& reference = reporter.times["BM_SwissEphemeris_SameChart"];
  const double dProgram = RatioReporter::Median(program.cpu);
  const double dReference = RatioReporter::Median(reference.cpu);
  if (dProgram > 0.0 && dReference > 0.0) {
    printf("\nOne natal chart: HoromiraMain %.1f us, Swiss Ephemeris (10 bodies, node, houses) %.1f us; "
           "ratio %.2f\n",
           dProgram, dReference, dProgram / dReference);
    printf("(CPU time, median of %zu interleaved repetitions each; real time, fastest repetition: %.1f us, "
           "%.1f us, ratio %.2f)\n",
           program.cpu.size(), RatioReporter::Fastest(program.real), RatioReporter::Fastest(reference.real),
           RatioReporter::Fastest(program.real) / RatioReporter::Fastest(reference.real));
  }
  swe_close();
  return 0;
}
