// Accuracy of the program's apparent geocentric longitudes against Swiss
// Ephemeris.
//
// Both sides compute the apparent longitude of date (true equinox, nutation,
// annual aberration, light time) for the same JDE (TT), so Delta T does not
// enter.  Swiss Ephemeris uses its data files (1800..2400 in the Debian
// basic set) and falls back to its Moshier theories elsewhere (they cover
// JD 625000.5..2818000.5, about -3000..3000); dates that neither covers are
// counted and left out.  Gravitational light deflection, which the program
// does not apply, is switched off in the reference.
//
// Output: a Markdown table of the largest and the root-mean-square
// difference in arc-seconds per body over 400 dates in 1800..2200 and over
// 100 dates in -4000..8000.
#include <swephexp.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include "ephemeris/ephemeris.h"
#include "time/calendar.h"

namespace {

struct Body {
  const char* szName;
  int iSwe;     // Swiss Ephemeris body
  int iSlot;    // ChartPoint slot of the program's position block
  double dBound;  // accepted maximum over 1800..2200, arc-seconds (0: none)
};

const Body kBodies[] = {
    {"Sun", SE_SUN, Sun, 2.0},
    {"Moon", SE_MOON, Moon, 15.0},
    {"Mercury", SE_MERCURY, Mercury, 10.0},
    {"Venus", SE_VENUS, Venus, 10.0},
    {"Mars", SE_MARS, Mars, 10.0},
    {"Jupiter", SE_JUPITER, Jupiter, 10.0},
    {"Saturn", SE_SATURN, Saturn, 10.0},
    {"Uranus", SE_URANUS, Uranus, 10.0},
    {"Neptune", SE_NEPTUNE, Neptune, 10.0},
    {"Pluto", SE_PLUTO, Pluto, 15.0},
    // The nodes: mean equinox of date on both sides, no bound.
    {"True node", SE_TRUE_NODE, DragonH, 0.0},
    {"Mean node", SE_MEAN_NODE, DragonT, 0.0},
};
constexpr int kNumBodies = sizeof kBodies / sizeof kBodies[0];

struct Stats {
  int iCount = 0;
  int iSkipped = 0;
  double dMax = 0.0;
  double dSumSq = 0.0;
  double dWorstJde = 0.0;
  void Add(double dArcsec, double dJde) {
    ++iCount;
    dSumSq += dArcsec * dArcsec;
    if (std::fabs(dArcsec) > dMax) {
      dMax = std::fabs(dArcsec);
      dWorstJde = dJde;
    }
  }
  double Rms() const { return iCount ? std::sqrt(dSumSq / iCount) : 0.0; }
};

double JdOfYear(int iYear) { return static_cast<double>(DateToJd(DateTime{iYear, 1, 1, 0, 0, 0.0}, 0.0f)); }

// The reference longitude; false where Swiss Ephemeris has no theory.
bool ReferenceLongitude(double dJde, int iBody, double* pdLong) {
  const bool bNode = iBody == SE_TRUE_NODE || iBody == SE_MEAN_NODE;
  const int iFlags = SEFLG_NOGDEFL | (bNode ? SEFLG_NONUT : 0);
  double xx[6];
  char szErr[AS_MAXCH];
  // The data files first; near their ends (light time reaching past them)
  // and outside them, the Moshier theories.
  if (swe_calc(dJde, iBody, iFlags | SEFLG_SWIEPH, xx, szErr) < 0 &&
      swe_calc(dJde, iBody, iFlags | SEFLG_MOSEPH, xx, szErr) < 0) {
    return false;
  }
  *pdLong = xx[0];
  return true;
}

// The program's longitudes of every body at one instant, by ChartPoint
// slot; the true node in DragonH, the mean node in DragonT.
void ProgramLongitudes(double dJde, PositionData* pd) {
  *pd = PositionData{};
  GetPositionData(dJde, pd, -1);
  MoonDetail d;
  pd->dLong[Moon] = GetMoonData(dJde, &pd->dLong[DragonH], &d);
  pd->dLong[DragonT] = d.dMeanNode;
}

// Compares iDates instants spread evenly over [dFrom, dTo).  Pluto counts
// only within [dPlutoFrom, dPlutoTo).
void Compare(double dFrom, double dTo, int iDates, double dPlutoFrom, double dPlutoTo, Stats* pStats) {
  for (int i = 0; i < iDates; ++i) {
    // A fraction of a day that varies from date to date.
    const double dJde = dFrom + (i + 0.5) * (dTo - dFrom) / iDates + 0.137;
    PositionData pd;
    ProgramLongitudes(dJde, &pd);
    for (int b = 0; b < kNumBodies; ++b) {
      if (kBodies[b].iSwe == SE_PLUTO && (dJde < dPlutoFrom || dJde >= dPlutoTo)) continue;
      double dRef;
      if (!ReferenceLongitude(dJde, kBodies[b].iSwe, &dRef)) {
        ++pStats[b].iSkipped;
        continue;
      }
      pStats[b].Add(std::remainder(pd.dLong[kBodies[b].iSlot] - dRef, 360.0) * 3600.0, dJde);
    }
  }
}

// "1234.56" or a dash where nothing was compared.
void FormatArcsec(const Stats& s, double d, char* sz, size_t n) {
  if (s.iCount == 0) {
    snprintf(sz, n, "-");
  } else {
    snprintf(sz, n, d < 1000.0 ? "%.2f" : "%.0f", d);
  }
}

}  // namespace

int main() {
  swe_set_ephe_path(const_cast<char*>(SWE_EPHE_DIR));
  char szVersion[AS_MAXCH];
  swe_version(szVersion);

  Stats near[kNumBodies], wide[kNumBodies];
  Compare(JdOfYear(1800), JdOfYear(2200), 400, JdOfYear(1885), JdOfYear(2100), near);
  Compare(JdOfYear(-4000), JdOfYear(8000), 100, -1e99, 1e99, wide);

  printf("Apparent geocentric longitude of date, program minus Swiss Ephemeris %s (arc-seconds).\n",
         szVersion);
  printf("1800..2200: 400 dates (Pluto: those in 1885..2099); -4000..8000: 100 dates, compared where\n"
         "Swiss Ephemeris has a theory (files 1800..2400, Moshier about -3000..3000).\n\n");
  printf("| Body | 1800-2200 max | RMS | bound | dates | -4000..8000 max | RMS | dates (no reference) |\n");
  printf("|---|---:|---:|---:|---:|---:|---:|---:|\n");
  bool bAllWithin = true;
  for (int b = 0; b < kNumBodies; ++b) {
    char a[32], r[32], wa[32], wr[32], bound[32];
    FormatArcsec(near[b], near[b].dMax, a, sizeof a);
    FormatArcsec(near[b], near[b].Rms(), r, sizeof r);
    FormatArcsec(wide[b], wide[b].dMax, wa, sizeof wa);
    FormatArcsec(wide[b], wide[b].Rms(), wr, sizeof wr);
    const bool bWithin = kBodies[b].dBound == 0.0 || near[b].dMax <= kBodies[b].dBound;
    bAllWithin = bAllWithin && bWithin;
    if (kBodies[b].dBound > 0.0) {
      snprintf(bound, sizeof bound, "%.0f%s", kBodies[b].dBound, bWithin ? "" : " **over**");
    } else {
      snprintf(bound, sizeof bound, "-");
    }
    printf("| %s | %s | %s | %s | %d | %s | %s | %d (%d) |\n", kBodies[b].szName, a, r, bound,
           near[b].iCount, wa, wr, wide[b].iCount, wide[b].iSkipped);
  }
  printf("\nLargest 1800-2200 difference at JDE:");
  for (int b = 0; b < kNumBodies; ++b) printf(" %s %.1f;", kBodies[b].szName, near[b].dWorstJde);
  printf("\n");
  return bAllWithin ? 0 : 1;
}
