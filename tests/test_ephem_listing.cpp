// The 64-line ephemeris listing and the decoding of the dialog's choice.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "events/events.h"
#include "events_test_support.h"
#include "test_support.h"
#include "time/timescale.h"

namespace {

class EphemTest : public BoxTest {};

// One position line of the listing.
struct EphemLine {
  std::string sTime;  // TimeToStr text
  std::string sSign;  // the padded sign name, 8 bytes
  int deg, min;
  double sec;
  std::string sMark;  // motion mark, possibly empty
  double Degrees(int iSign) const { return 30.0 * iSign + deg + min / 60.0 + sec / 3600.0; }
};

int SignIndex(const std::string& s) {
  for (int i = 0; i < 12; ++i) {
    if (s == kSignNames[i]) return i;
  }
  return -1;
}

// Splits the listing into its header and lines; false when a line does not
// have the listing's form.
bool ParseEphem(const std::string& s, std::string* pHeader, std::vector<EphemLine>* pLines) {
  size_t p = s.find("\r\n\r\n", 2);
  if (p == std::string::npos) return false;
  *pHeader = s.substr(0, p + 4);
  p += 4;
  const std::string sLead = "    \r\n   ---- ";
  while (p < s.size()) {
    const size_t q = s.find(sLead, p);
    if (q == std::string::npos) return false;
    EphemLine line;
    line.sTime = s.substr(p, q - p);
    const size_t r = q + sLead.size();
    line.sSign = s.substr(r, 8);
    const size_t e = s.find("\r\n", r);
    const std::string sRest = s.substr(r + 8, e - r - 8);
    int n = 0;
    if (sscanf(sRest.c_str(), " : %d°%d′%lf″%n", &line.deg, &line.min, &line.sec, &n) != 3) return false;
    if (sRest.compare(0, 3, " : ") != 0) return false;
    line.sMark = sRest.substr(n);
    pLines->push_back(line);
    p = e + 2;
  }
  return true;
}

// The steps are whole steps of JST.
TEST_F(EphemTest, OneDaySunListing) {
  static char sz[kEphemTextSize];
  ASSERT_EQ(MakeEphem(DateTime{2024, 2, 1, 0, 0, 0.0}, 0, kEphemStepDay, sz), 1);
  std::string sHeader;
  std::vector<EphemLine> lines;
  ASSERT_TRUE(ParseEphem(sz, &sHeader, &lines)) << sz;
  EXPECT_EQ(sHeader, "\r\n太陽  - 日本時間\r\n\r\n");
  ASSERT_EQ(lines.size(), 64u);
  EXPECT_EQ(lines[0].sTime, " 2024年 2月 1日  0時 0分00秒");
  EXPECT_EQ(lines[29].sTime, " 2024年 3月 1日  0時 0分00秒");
  EXPECT_EQ(lines[63].sTime, " 2024年 4月 4日  0時 0分00秒");
  EXPECT_EQ(lines[0].sSign, "みずがめ");
  EXPECT_EQ(lines[63].sSign, "おひつじ");
  for (size_t i = 1; i < lines.size(); ++i) {
    const double d0 = lines[i - 1].Degrees(SignIndex(lines[i - 1].sSign));
    const double d1 = lines[i].Degrees(SignIndex(lines[i].sSign));
    const double dStep = d1 - d0 + (d1 < d0 ? 360.0 : 0.0);
    EXPECT_GT(dStep, 0.95) << i;  // about 0°59′ to 1°01′ a day
    EXPECT_LT(dStep, 1.02) << i;
    EXPECT_EQ(lines[i].sMark, "");
  }
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(EphemTest, OneSecondMoonListing) {
  static char sz[kEphemTextSize];
  ASSERT_EQ(MakeEphem(DateTime{2024, 3, 10, 12, 0, 0.0}, 1, kEphemStepSecond, sz), 1);
  std::string sHeader;
  std::vector<EphemLine> lines;
  ASSERT_TRUE(ParseEphem(sz, &sHeader, &lines)) << sz;
  EXPECT_EQ(sHeader, "\r\n月  - 日本時間\r\n\r\n");
  ASSERT_EQ(lines.size(), 64u);
  EXPECT_EQ(lines[0].sTime, " 2024年 3月10日 12時 0分00秒");
  EXPECT_EQ(lines[1].sTime, " 2024年 3月10日 12時 0分01秒");
  EXPECT_EQ(lines[63].sTime, " 2024年 3月10日 12時 1分03秒");
  for (size_t i = 1; i < lines.size(); ++i) {
    const double dStepArcsec = (lines[i].Degrees(0) - lines[i - 1].Degrees(0)) * 3600.0;
    EXPECT_GT(dStepArcsec, 0.4) << i;  // about 0.5″ a second
    EXPECT_LT(dStepArcsec, 0.7) << i;
    EXPECT_EQ(lines[i].sMark, "");     // the Moon never carries a mark
  }
}

// Mercury's station of April 2024: direct, then the stationary marks, then
// retrograde.
TEST_F(EphemTest, MercuryStationShowsItsMarks) {
  static char sz[kEphemTextSize];
  ASSERT_EQ(MakeEphem(DateTime{2024, 3, 20, 0, 0, 0.0}, 2, kEphemStepDay, sz), 1);
  std::string sHeader;
  std::vector<EphemLine> lines;
  ASSERT_TRUE(ParseEphem(sz, &sHeader, &lines)) << sz;
  ASSERT_EQ(lines.size(), 64u);
  EXPECT_EQ(sHeader, "\r\n水星  - 日本時間\r\n\r\n");
  std::string sSequence;  // one letter per change of mark
  for (const EphemLine& line : lines) {
    const char c = line.sMark == "" ? 'D' : line.sMark == "留/順行?" ? 'S' : line.sMark == "留/逆行?" ? 's'
                   : line.sMark == "逆行" ? 'R' : '?';
    if (sSequence.empty() || sSequence.back() != c) sSequence += c;
  }
  EXPECT_EQ(sSequence.substr(0, 4), "DSsR") << sSequence;
  EXPECT_EQ(sSequence.find('?'), std::string::npos);
}

TEST_F(EphemTest, OneHourAndOneMinuteSteps) {
  static char sz[kEphemTextSize];
  ASSERT_EQ(MakeEphem(DateTime{2024, 12, 31, 20, 0, 0.0}, 8, kEphemStepHour, sz), 1);
  std::string sHeader;
  std::vector<EphemLine> lines;
  ASSERT_TRUE(ParseEphem(sz, &sHeader, &lines));
  EXPECT_EQ(sHeader, "\r\n海王星  - 日本時間\r\n\r\n");
  EXPECT_EQ(lines[4].sTime, " 2025年 1月 1日  0時 0分00秒");
  lines.clear();
  ASSERT_EQ(MakeEphem(DateTime{2024, 12, 31, 23, 30, 0.0}, 6, kEphemStepMinute, sz), 1);
  ASSERT_TRUE(ParseEphem(sz, &sHeader, &lines));
  EXPECT_EQ(lines[30].sTime, " 2025年 1月 1日  0時 0分00秒");
  EXPECT_EQ(lines[63].sTime, " 2025年 1月 1日  0時33分00秒");
}

// Across a step of the Delta T model (New Year 2024: 75 s, then 76 s) the
// lines stay on whole steps of JST, and each line shows the position of
// its own moment.
TEST_F(EphemTest, LinesStayOnWholeStepsAcrossADeltaTStep) {
  static char sz[kEphemTextSize];
  std::string sHeader;
  std::vector<EphemLine> lines;
  ASSERT_EQ(MakeEphem(DateTime{2023, 12, 1, 0, 0, 0.0}, 0, kEphemStepDay, sz), 1);
  ASSERT_TRUE(ParseEphem(sz, &sHeader, &lines));
  ASSERT_EQ(lines.size(), 64u);
  const std::string sMidnight = "日  0時 0分00秒";
  for (const EphemLine& line : lines) {
    EXPECT_EQ(line.sTime.compare(line.sTime.size() - sMidnight.size(), sMidnight.size(), sMidnight), 0) << line.sTime;
  }
  EXPECT_EQ(lines[32].sTime, " 2024年 1月 2日  0時 0分00秒");

  lines.clear();
  const DateTime start{2024, 1, 1, 8, 59, 30.0};
  ASSERT_EQ(MakeEphem(start, 0, kEphemStepSecond, sz), 1);
  ASSERT_TRUE(ParseEphem(sz, &sHeader, &lines));
  EXPECT_EQ(lines[0].sTime, " 2024年 1月 1日  8時59分30秒");
  EXPECT_EQ(lines[30].sTime, " 2024年 1月 1日  9時 0分00秒");
  EXPECT_EQ(lines[63].sTime, " 2024年 1月 1日  9時 0分33秒");
  for (const int i : {0, 29, 30, 63}) {
    const DateTime at{2024, 1, 1, i < 30 ? 8 : 9, i < 30 ? 59 : 0, i < 30 ? 30.0 + i : i - 30.0};
    double dLong;
    int iMotion;
    ASSERT_EQ(EphemPosition(0, JstToJde(at), &dLong, &iMotion), 1);
    EXPECT_NEAR(lines[i].Degrees(SignIndex(lines[i].sSign)), dLong, 0.006 / 3600.0) << i;
  }
}

// At 00:28:56 JST on 10 March 2024 the Sun stands 0.001″ short of a whole
// minute of arc: the line shows the next minute, never 60.00″.
TEST_F(EphemTest, NoLineShowsSixtySeconds) {
  static char sz[kEphemTextSize];
  ASSERT_EQ(MakeEphem(DateTime{2024, 3, 10, 0, 28, 48.0}, 0, kEphemStepSecond, sz), 1);
  std::string sHeader;
  std::vector<EphemLine> lines;
  ASSERT_TRUE(ParseEphem(sz, &sHeader, &lines));
  for (const EphemLine& line : lines) EXPECT_LT(line.sec, 59.995) << line.sTime;
  EXPECT_EQ(lines[8].min, lines[7].min + 1);
  EXPECT_EQ(lines[8].sec, 0.0);
}

TEST_F(EphemTest, BadArguments) {
  EXPECT_EQ(MakeEphem(DateTime{2024, 1, 1, 0, 0, 0.0}, 0, kEphemStepDay, nullptr), 0);
  static char sz[kEphemTextSize];
  EXPECT_EQ(MakeEphem(DateTime{2024, 1, 1, 0, 0, 0.0}, 9, kEphemStepDay, sz), 0);
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[0].text, "!str:MakeEphem");
  EXPECT_EQ(Boxes()[1].lines[2], "MakeEphem");
  EXPECT_EQ(Boxes()[1].lines[3], "エラーの種類: OOR/iBody");
}

TEST_F(EphemTest, DialogChoice) {
  EphemChoice c;
  EXPECT_EQ(DecodeEphemChoice(-1, &c), 0);
  ASSERT_EQ(DecodeEphemChoice(1408, &c), 1);
  EXPECT_EQ(c.iBody, 8);
  EXPECT_EQ(c.iStep, 400);
  EXPECT_TRUE(c.bAligned);
  ASSERT_EQ(DecodeEphemChoice(101, &c), 1);
  EXPECT_EQ(c.iBody, 1);
  EXPECT_EQ(c.iStep, 100);
  EXPECT_FALSE(c.bAligned);

  char sz[128];
  EphemConfirmText(c, sz, sizeof sz);
  EXPECT_STREQ(sz, "月の1秒ごとのこよみ : 時刻を詳細設定");
  EXPECT_EQ(EphemTimeEntryMode(c), -1);
  DecodeEphemChoice(1100, &c);  // one second, aligned: seconds may still be typed
  EXPECT_EQ(EphemTimeEntryMode(c), -1);
  DecodeEphemChoice(1304, &c);
  EphemConfirmText(c, sz, sizeof sz);
  EXPECT_STREQ(sz, "火星の1時間ごとのこよみ : きりのいい時刻");
  EXPECT_EQ(EphemTimeEntryMode(c), 300);
  DecodeEphemChoice(200, &c);
  EXPECT_EQ(EphemTimeEntryMode(c), 0);
  EXPECT_STREQ(EphemStepLabel(400), "1日");
  EXPECT_EQ(EphemStepDays(999), 1.0);
}

}  // namespace
