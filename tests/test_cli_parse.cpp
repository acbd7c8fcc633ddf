// The text forms horomira reads and prints: strict numbers and moments, and
// every printed moment read back over the whole computable period.
#include <cmath>
#include <string>

#include "cli/cli.h"
#include "test_support.h"

namespace {

TEST(CliNumbers, WholeNumbersAreDecimalDigitsOnly) {
  struct Case {
    const char* szText;
    bool bOk;
    long lValue;
  };
  const Case cases[] = {
      {"0", true, 0},      {"-1", true, -1},     {"1023", true, 1023}, {"0007", true, 7},
      {"1024", false, 0},  {" 5", false, 0},     {"5 ", false, 0},     {"+5", false, 0},
      {"0x3C", false, 0},  {"", false, 0},       {"-", false, 0},      {"1e3", false, 0},
      {"--1", false, 0},   {"1.0", false, 0},    {"99999999999999999999", false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.szText);
    long v = 99;
    EXPECT_EQ(ParseWholeNumber(c.szText, -100, 1023, &v), c.bOk);
    EXPECT_EQ(v, c.bOk ? c.lValue : 99);
  }
}

TEST(CliNumbers, DecimalNumbersAreDigitsAndOnePoint) {
  struct Case {
    const char* szText;
    bool bOk;
    double dValue;
  };
  const Case cases[] = {
      {"35.5", true, 35.5}, {"+35.5", true, 35.5}, {"-.5", true, -0.5}, {"139", true, 139.0},
      {"5.", true, 5.0},    {".", false, 0},       {"", false, 0},      {"0x23", false, 0},
      {"1e2", false, 0},    {" 35", false, 0},     {"35 ", false, 0},   {"inf", false, 0},
      {"nan", false, 0},    {"35,5", false, 0},    {"+-1", false, 0},   {"1.2.3", false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.szText);
    double d = 99.0;
    EXPECT_EQ(ParseDecimalNumber(c.szText, &d), c.bOk);
    EXPECT_EQ(d, c.bOk ? c.dValue : 99.0);
  }
}

TEST(CliMoments, OnlyTheWrittenForms) {
  struct Case {
    const char* szText;
    bool bOk;
    DateTime t;
    bool bHasTime, bHasSeconds;
  };
  const Case cases[] = {
      {"2000-01-01", true, {2000, 1, 1, 0, 0, 0.0}, false, false},
      {"2000-01-01T12:05", true, {2000, 1, 1, 12, 5, 0.0}, true, false},
      {"2000-01-01 12:00:30", true, {2000, 1, 1, 12, 0, 30.0}, true, true},
      {"2000-01-01T12:00:00", true, {2000, 1, 1, 12, 0, 0.0}, true, true},
      {"-0500-03-01T12:00:59.25", true, {-500, 3, 1, 12, 0, 59.25}, true, true},
      {"-0001-12-31", true, {-1, 12, 31, 0, 0, 0.0}, false, false},
      {"2000-1-5T1:2:3", true, {2000, 1, 5, 1, 2, 3.0}, true, true},
      {"2000-01-01T12:00:0x3C", false, {}, false, false},
      {"2000-01-01T12:00:1e1", false, {}, false, false},
      {"2000-01-01T12:00: 5", false, {}, false, false},
      {"2000-01-01T12:00:5.", false, {}, false, false},
      {"2000-01-01T12:00:30.5x", false, {}, false, false},
      {" 2000-01-01", false, {}, false, false},
      {"+2000-01-01", false, {}, false, false},
      {"2000-+1-01", false, {}, false, false},
      {"2000- 1-01", false, {}, false, false},
      {"-001-01-01", false, {}, false, false},
      {"2000-01-01T", false, {}, false, false},
      {"2000-01-001", false, {}, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.szText);
    DateTime t{};
    MomentParts parts{};
    ASSERT_EQ(ParseMoment(c.szText, &t, &parts), c.bOk);
    if (!c.bOk) continue;
    // DateTime is packed: its fields are compared as values, never bound.
    EXPECT_TRUE(t.year == c.t.year && t.month == c.t.month && t.day == c.t.day && t.hour == c.t.hour &&
                t.minute == c.t.minute && t.second == c.t.second);
    EXPECT_EQ(parts.bHasTime, c.bHasTime);
    EXPECT_EQ(parts.bHasSeconds, c.bHasSeconds);
  }
}

// Every moment the CLI prints (the "jst" of its JSON) it reads back as the
// same moment, and the calendar check accepts it, in every year from
// 4001 B.C. to A.D. 8000.
TEST(CliMoments, EveryPrintedMomentReadsBack) {
  int nBad = 0;
  std::string sFirstBad;
  for (int y = -4000; y <= 8000; ++y) {
    const DateTime moments[3] = {{y, 1, 1, 0, 0, 0.0}, {y, 7, 15, 9, 5, 7.25}, {y, 12, 31, 23, 59, 59.9996}};
    for (const DateTime& t : moments) {
      const std::string s = IsoMoment(t);
      DateTime back{};
      const bool bOk = ParseMoment(s, &back) && back.year == t.year && back.month == t.month &&
                       back.day == t.day && back.hour == t.hour && back.minute == t.minute &&
                       std::fabs(back.second - t.second) < 1e-3 && ValidateDateTime(nullptr, "", back, 0) == 0;
      if (!bOk && nBad++ == 0) sFirstBad = s;
    }
  }
  EXPECT_EQ(nBad, 0) << "first: " << sFirstBad;
  EXPECT_EQ(IsoMoment(DateTime{-501, 12, 4, 3, 2, 1.5}), "-0501-12-04T03:02:01.500");
  EXPECT_EQ(IsoMoment(DateTime{-4000, 1, 1, 0, 0, 0.0}), "-4000-01-01T00:00:00.000");
  EXPECT_EQ(IsoMoment(DateTime{33, 1, 1, 0, 0, 59.9996}), "0033-01-01T00:00:59.999");
}

}  // namespace
