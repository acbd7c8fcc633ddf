// horomira chart --svg.
#include "cli/cli_svg.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "chart/chart_picture.h"
#include "chart/houses.h"
#include "platform/native/native_control.h"

namespace {

constexpr int kMaxPictureSide = 10000;  // pixels

// A whole number within [iMin, iMax] and nothing else.
bool ParseInt(const std::string& s, int iMin, int iMax, int* pi) {
  if (s.empty() || s.size() > 6) return false;
  for (char ch : s) {
    if (ch < '0' || ch > '9') return false;
  }
  const int i = atoi(s.c_str());
  if (i < iMin || i > iMax) return false;
  *pi = i;
  return true;
}

bool ParseSize(const std::string& s, int* pW, int* pH) {
  const size_t x = s.find('x');
  return x != std::string::npos && ParseInt(s.substr(0, x), 1, kMaxPictureSide, pW) &&
         ParseInt(s.substr(x + 1), 1, kMaxPictureSide, pH);
}

}  // namespace

int TakeSvgOptions(CliArgs& a, SvgOptions* o) {
  std::string sSize, sView, sBack;
  a.TakeOption("--svg", &o->sFile);
  const bool bSize = a.TakeOption("--size", &sSize);
  const bool bView = a.TakeOption("--view", &sView);
  const bool bBack = a.TakeOption("--background", &sBack);
  if (a.bValueMissing) return Fail(a.sMissingOption + " には値が必要です");
  if (o->sFile.empty() && (bSize || bView || bBack)) {
    return Fail("--size, --view, --background は --svg FILE と一緒に指定してください");
  }
  if (bSize && !ParseSize(sSize, &o->iWidth, &o->iHeight)) {
    return Fail("--size は 幅x高さ (1～10000 ピクセル、例: 800x560) で指定してください: " + sSize);
  }
  if (bView && !ParseInt(sView, kViewChart, kViewDouble, &o->iView)) {
    return Fail("--view は 0 (ﾁｬｰﾄ), 1 (詳細ﾃﾞｰﾀ), 2 (測地系と時刻系), 3 (2重円) のどれかです: " + sView);
  }
  if (bBack && !ParseInt(sBack, 0, kNumBackgrounds - 1, &o->iBackColor)) {
    return Fail("--background は 0～5 の背景色です: " + sBack);
  }
  return 0;
}

int WriteChartSvg(const SvgOptions& o, ChartSlots* pSlots) {
  ChartViewState state{};
  state.HouseType = kHouseTypeEqualAsc;
  state.iBackColor = o.iBackColor;
  state.fScale = kPictureScale;
  const std::string sDoc = ChartSvgPicture(pSlots, state, o.iWidth, o.iHeight);
  const std::string sPath = Cp932ToUtf8(o.sFile);
  FILE* f = fopen(sPath.c_str(), "wb");
  if (!f) return Fail("SVGファイルを作れません: " + o.sFile);
  const bool bWritten = fwrite(sDoc.data(), 1, sDoc.size(), f) == sDoc.size();
  if (fclose(f) != 0 || !bWritten) {
    remove(sPath.c_str());
    return Fail("SVGファイルを書き込めません: " + o.sFile);
  }
  return 0;
}
