// MC, Ascendant and house cusps (the second half of GetAscEx), and the
// house type the wheel shows.
#include "chart/houses.h"

#include <cmath>

#include "base/angles.h"
#include "platform/reports.h"

namespace {

// The iteration of a Placidus cusp stops when R moves less than 0.001".
constexpr double kCuspTolerance = 2.777777777777778e-7;
// Passes: a counter from 1 that stops at 50 (49 after the start value).
constexpr int kCuspPassLimit = 50;
// Above this northern latitude Placidus is not offered: equal houses.
constexpr double kPlacidusLatitudeLimit = 60.0;

// One intermediate Placidus cusp: its right ascension R is
//   RAMC + dBase + dFraction x AcosDeg(dSign x sin(R) x tan(eps) tan(phi)),
// started from R = RAMC + dStart.
struct PlacidusCusp {
  int iIndex;        // dCusp index (cusp number - 1)
  int iPrevious;     // dCusp index of the cusp it follows
  double dStart;     // degrees after RAMC of the start value
  double dBase;      // 0 above the horizon side, 180 below
  double dFraction;  // part of the semi-arc, signed
  double dSign;      // sign of the semi-arc argument
};

const PlacidusCusp kPlacidusCusps[4] = {
    {10, 9, 30.0, 0.0, 1.0 / 3.0, -1.0},     // cusp 11 after the MC
    {11, 10, 60.0, 0.0, 2.0 / 3.0, -1.0},    // cusp 12 after cusp 11
    {1, 0, 120.0, 180.0, -2.0 / 3.0, 1.0},   // cusp 2 after the ASC
    {2, 1, 150.0, 180.0, -1.0 / 3.0, 1.0},   // cusp 3 after cusp 2
};

// The right ascension of one Placidus cusp, degrees, into *pR.  False when
// the semi-arc argument leaves [-1, 1] on the way: where the parallel of
// the cusp's point never crosses the horizon (circumpolar, above 66.56° of
// latitude) there is no Placidus cusp, and AcosDeg's clamp would only make
// up one.
bool PlacidusRightAscension(const PlacidusCusp& c, double dRamc, double dTanProduct, double* pR) {
  bool bHolds = true;
  auto step = [&](double x) {
    const double dArgument = c.dSign * std::sin(x * kDegToRad) * dTanProduct;
    if (std::fabs(dArgument) > 1.0) bHolds = false;
    return dRamc + c.dBase + c.dFraction * AcosDeg(dArgument);
  };
  double R = step(dRamc + c.dStart);
  double dChange;
  int iPass = 1;
  do {
    const double dNext = step(R);
    dChange = std::fabs(dNext - R);
    R = dNext;
    ++iPass;
  } while (dChange >= kCuspTolerance && iPass < kCuspPassLimit);
  *pR = R;
  return bHolds;
}

// MC from RAMC, degrees [0, 360).
double MidheavenOf(double dRamc, double dEps) {
  double mc = std::atan(std::tan(dRamc * kDegToRad) / std::cos(dEps * kDegToRad)) / kDegToRad;
  if (mc < 0.0) mc += 360.0;
  if (std::fabs(mc - dRamc) >= 8.0) mc += 180.0;  // atan gave the opposite point
  if (mc >= 360.0) mc -= 360.0;
  return mc;
}

// Puts the ASC on the eastern side: within 180° after the MC.
double AscendantFromAtan(double dAtan, double dMc) {
  double asc = dAtan < 0.0 ? dAtan + 360.0 : dAtan;
  if (asc - dMc > 180.0) {
    asc -= 180.0;
  } else if (asc < dMc && asc + 360.0 - dMc > 180.0) {
    asc += 180.0;
  }
  if (asc > 360.0) asc -= 360.0;
  return asc;
}

void SetEqualCusps(double dFirst, ChartRecord* pChart) {
  for (int k = 0; k < 12; ++k) pChart->dCusp[k] = dFirst + 30.0 * k;
}

// Placidus cusps into pChart->dCusp (cusp 1 is already there).  False,
// with the cusps only partly written, where the method does not hold.
bool SetPlacidusCusps(const SiderealAngles& a, double dMc, ChartRecord* pChart) {
  double* c = pChart->dCusp;
  c[9] = dMc;
  const double dTanProduct = std::tan(a.dEps * kDegToRad) * std::tan(a.dPhi * kDegToRad);
  const double dCosEps = std::cos(a.dEps * kDegToRad);
  for (const PlacidusCusp& p : kPlacidusCusps) {
    double R;
    if (!PlacidusRightAscension(p, a.dRamc, dTanProduct, &R)) return false;
    const double dLambda = std::atan(std::tan(R * kDegToRad) / dCosEps) / kDegToRad;
    c[p.iIndex] = AngleAfter(dLambda, c[p.iPrevious]);
  }
  // The six cusps below the horizon line are opposite to those above.
  c[3] = Normalize360(dMc + 180.0);
  c[4] = Normalize360(c[10] + 180.0);
  c[5] = Normalize360(c[11] + 180.0);
  c[6] = Normalize360(c[0] + 180.0);
  c[7] = Normalize360(c[1] + 180.0);
  c[8] = Normalize360(c[2] + 180.0);
  return true;
}

}  // namespace

double AcosDeg(double x) {
  if (x > 1.0) return 0.0;
  if (x < -1.0) return 180.0;
  return std::acos(x) / kDegToRad;
}

double AngleAfter(double lambda, double ref) {
  double a = Normalize360(lambda);
  const double b = Normalize360(ref);
  if (a < b) a += 360.0;
  return a - b > 180.0 ? Normalize360(a + 180.0) : a;
}

int SetChartAngles(const SiderealAngles& a, PositionData* pd, ChartRecord* pChart) {
  const double dMc = MidheavenOf(a.dRamc, a.dEps);
  pd->dLong[MC] = dMc;
  // At a pole the horizon is the equator of the sky: no ascendant.  The
  // pole is tested as given too, since the datum shift moves it 0.5 km.
  if (std::fabs(a.dPhi) == 90.0 || std::fabs(a.dGivenLat) == 90.0) return kAscExPole;

  const double dRamc = a.dRamc * kDegToRad, dEps = a.dEps * kDegToRad;
  const double dDenominator = std::sin(dEps) * std::tan(a.dPhi * kDegToRad) + std::cos(dEps) * std::sin(dRamc);
  if (dDenominator == 0.0) {
    PlatformMessageBox(nullptr, "ASCを計算できませんでした。", "ホロミラ", kMbOk | kMbIconWarning);
    pd->dLong[Asc] = 0.0;
    return kAscExNoAscendant;
  }
  const double dAsc = AscendantFromAtan(std::atan(-std::cos(dRamc) / dDenominator) / kDegToRad, dMc);
  pd->dLong[Asc] = dAsc;
  pChart->dCusp[0] = dAsc;
  // Equal houses from the ASC above 60° N, and wherever Placidus' method
  // does not hold (far south, where points of the ecliptic never set).
  if (a.dPhi > kPlacidusLatitudeLimit || !SetPlacidusCusps(a, dMc, pChart)) {
    pChart->iHouseMode = 0;
    SetEqualCusps(dAsc, pChart);
    return kAscExOk;
  }
  pChart->iHouseMode = 1;
  return kAscExOk;
}

double WheelFirstCusp(const ChartRecord& chart, int iHouseType, bool* pbPlacidus) {
  if (!chart.target.bTimeKnown) iHouseType = kHouseTypeEqualSun;
  *pbPlacidus = iHouseType > MC;
  if (iHouseType < 0) return 0.0;
  return *pbPlacidus ? chart.dCusp[0] : chart.dLong[iHouseType];
}

void HouseCuspsForWheel(const ChartRecord& chart, int iHouseType, double dCusp[12]) {
  bool bPlacidus = false;
  const double dFirst = WheelFirstCusp(chart, iHouseType, &bPlacidus);
  for (int k = 0; k < 12; ++k) dCusp[k] = Normalize360(bPlacidus ? chart.dCusp[k] : dFirst + 30.0 * k);
}

int ChooseHouseType(WindowRef hOwner, const ChartRecord& chart, int iCommand, int* piHouseType) {
  struct Choice {
    int iCommand, iHouseType;
    const char* szLines[3];
  };
  static const Choice kChoices[4] = {
      {kCmdHouseEqual, kHouseTypeEqualAsc, {"", "古典的等分割 (標準)", ""}},
      {kCmdHousePlacidus, kHouseTypePlacidus,
       {"プラシーダス方式（参考）", "注: 設定として保存されません。", "ハウスの詳細情報 → [Shift]+[G]"}},
      {kCmdHouseSun, kHouseTypeEqualSun, {"", "太陽を第1室ｶｽﾌﾟとします", ""}},
      {kCmdHouseAries, kHouseTypeEqualAries, {"", "", "おひつじ座0度を第1室カスプとします"}},
  };
  for (const Choice& c : kChoices) {
    if (c.iCommand != iCommand) continue;
    if (iCommand == kCmdHousePlacidus && chart.iHouseMode == 0) {
      PlatformMessageBox(hOwner, "緯度が60度を超える場合、プラシーダス・ハウス・システムはサポートされません。",
                         "高緯度の特例", kMbOk | kMbIconWarning);
      return 0;
    }
    if (AppOkCancelMsg(hOwner, "ハウスシステム", c.szLines[0], c.szLines[1], c.szLines[2]) != kIdOk) {
      return 0;
    }
    *piHouseType = c.iHouseType;
    return 1;
  }
  return 0;
}
