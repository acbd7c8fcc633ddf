// The solar return: the yearly moment at which the Sun comes back to its
// natal longitude, and the list of ages 0..100 the solar-return dialog shows.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "base/angles.h"
#include "base/julian.h"
#include "ephemeris/planets.h"
#include "events/events.h"
#include "time/timescale.h"

namespace {

constexpr double kTropicalYearDays = 365.24219;
// First correction of the search, days per degree of remaining longitude.
constexpr double kFirstCorrectionFactor = 0.985647;
// 180° from heliocentric to geocentric, together with the FK5 correction
// of -0.09033".
constexpr double kHelioToGeoFk5Deg = 180.0000250917;
// Annual aberration at 1 AU, arc seconds.
constexpr double kAberrationArcsec = -20.4898;
constexpr double kSolarReturnToleranceDeg = 2.8e-8;
constexpr int kSolarReturnMaxPasses = 12;

// A longitude difference taken the short way round across 0°/360°.
double WrapDifference(double d) {
  if (d > 300.0) return d - 360.0;
  if (d < -300.0) return d + 360.0;
  return d;
}

// The Sun's apparent longitude at a JDE, degrees: the Earth's heliocentric
// place turned round, with the FK5 correction, aberration and nutation.
double SolarReturnSunLongitude(long double ldJde) {
  const double T = static_cast<double>((ldJde - kJ2000) / kDaysPerJulianCentury);
  const double dNutation = GetNutation(T, nullptr);
  HeliocentricLBR earth;
  GetEarthPositionLBR(T * 0.1, &earth);
  return Normalize360(earth.L - kHelioToGeoFk5Deg + dNutation + (kAberrationArcsec / earth.R) / 3600.0);
}

}  // namespace

long double GetSolarReturnJde(long double ldNatalJde, int iAge) {
  long double t = ldNatalJde;
  long double tPrev = t;
  double dNatal = 0.0;
  double dPrev = 0.0;
  for (int i = 0; i < kSolarReturnMaxPasses; ++i) {
    const double dLong = SolarReturnSunLongitude(t);
    long double step;
    if (i == 0) {
      dNatal = dLong;
      step = iAge * static_cast<long double>(kTropicalYearDays);
    } else if (i == 1) {
      step = WrapDifference(dNatal - dLong) * kFirstCorrectionFactor;
    } else {
      const long double dt = t - tPrev;
      if (dt == 0.0L) break;
      const long double rate = WrapDifference(dLong - dPrev) / dt;
      const double d = WrapDifference(dNatal - dLong);
      if (std::fabs(d) < kSolarReturnToleranceDeg || rate == 0.0L) break;
      step = d / rate;
    }
    if (i >= 1) {
      tPrev = t;
      dPrev = dLong;
    }
    t += step;
  }
  return t;
}

long double GetSolarReturnJd(long double ldNatalJde, int iAge) {
  const long double t = GetSolarReturnJde(ldNatalJde, iAge);
  DateTime td;
  JdToDate(t, &td);
  return t - GetDeltaT(td, t);
}

int SolarReturnMoments(long double ldNatalJde, DateTime pReturns[kNumSolarReturns]) {
  for (int iAge = 0; iAge < kNumSolarReturns; ++iAge) {
    JdToDate(GetSolarReturnJd(ldNatalJde, iAge) + kJstZoneDays, &pReturns[iAge]);
  }
  return 1;
}

int SolarReturnLine(int iAge, const DateTime& jstReturn, char* szLine, int cbLine) {
  const int n = snprintf(szLine, static_cast<size_t>(cbLine), "%3d歳 ...%s", iAge, TimeToStr(&jstReturn));
  return n < cbLine ? n : cbLine - 1;
}

int SolarReturnDefaultAge(int iBirthYear, int iCurrentYear) {
  const int iAge = iCurrentYear - iBirthYear;
  return iAge < 0 || iAge > 100 ? 50 : iAge;
}

int ChooseSolarReturn(WindowRef hOwner, int iAge, const BirthRecord& natal,
                      const DateTime pReturns[kNumSolarReturns], BirthRecord* pWorking) {
  if (iAge <= 0 || iAge >= kNumSolarReturns) {
    PlatformMessageBox(hOwner, "0歳は指定できません", "", kMbOk);
    return 0;
  }
  *pWorking = natal;
  pWorking->time = pReturns[iAge];
  return iAge;
}
