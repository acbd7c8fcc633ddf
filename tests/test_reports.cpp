// Report boxes and the program's own message boxes.
#include <cstring>
#include <string>

#include "platform/reports.h"
#include "test_support.h"

namespace {

class ReportTest : public BoxTest {};

TEST_F(ReportTest, FatalAndPlainAndFailureBoxes) {
  EXPECT_EQ(ReportFatal("メモリー不足です"), 0);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].title, "ΩΡΟΜΙΡΑ");
  EXPECT_EQ(Boxes()[0].owner, nullptr);
  EXPECT_EQ(Boxes()[0].style & kMbIconMask, static_cast<unsigned>(kMbIconError));

  NativeQueueAnswer(kIdNo);
  EXPECT_EQ(ReportBox(nullptr, "質問", kMbYesNo | kMbIconQuestion), kIdNo);
  EXPECT_EQ(Boxes()[1].title, "ΩΡΟΜΙΡΑ");
  EXPECT_EQ(Boxes()[1].style, static_cast<unsigned>(kMbYesNo | kMbIconQuestion));

  ReportFailure(nullptr, "exception in HoromiraMain");
  EXPECT_EQ(Boxes()[2].title, "予期せぬ障害");
  EXPECT_EQ(Boxes()[2].text, "exception in HoromiraMain");
}

TEST_F(ReportTest, ErrorLineBoxShowsLineBFirst) {
  ReportErrorLines(nullptr, "line A", "line B");
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].kind, "AppOkMsg");
  EXPECT_EQ(Boxes()[0].lines[0], "エラー");
  EXPECT_EQ(Boxes()[0].lines[1], "line B");
  EXPECT_EQ(Boxes()[0].lines[2], "line A");
  EXPECT_EQ(Boxes()[0].lines[3], "");
}

TEST_F(ReportTest, PlaceAndKindBox) {
  int dummy;
  NativeSetMainWindow(&dummy);
  EXPECT_EQ(ReportPlaceKind("GetPositionData", "OOR/iWorkMode", -7), -7);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].owner, &dummy);
  EXPECT_EQ(Boxes()[0].lines[0], "エラー");
  EXPECT_EQ(Boxes()[0].lines[1], "下記の場所でエラーが発生しました:");
  EXPECT_EQ(Boxes()[0].lines[2], "GetPositionData");
  EXPECT_EQ(Boxes()[0].lines[3], "エラーの種類: OOR/iWorkMode");

  ReportPlaceKind("p", "", 0);
  EXPECT_EQ(Boxes()[1].lines[3], "");
  const std::string sLong(100, 'k');
  ReportPlaceKind("p", sLong.c_str(), 0);
  EXPECT_EQ(Boxes()[2].lines[3], "");
  const std::string s99(99, 'k');
  ReportPlaceKind("p", s99.c_str(), 0);
  EXPECT_EQ(Boxes()[3].lines[3], "エラーの種類: " + s99);
  NativeSetMainWindow(nullptr);
}

TEST_F(ReportTest, ExceptionBoxAbortEndsTheProgram) {
  NativeSetMainWindow(nullptr);
  NativeQueueAnswer(kIdIgnore);
  EXPECT_EQ(ReportException(nullptr, "IDM_NewData"), 1);
  EXPECT_FALSE(NativeMainWindowDestroyed());
  EXPECT_EQ(Boxes()[0].title, "IDM_NewData");
  EXPECT_EQ(Boxes()[0].style & kMbButtonMask, static_cast<unsigned>(kMbAbortRetryIgnore));
  EXPECT_TRUE(Contains(Boxes()[0].text, "\n\n- Horomira 5.1"));
  NativeQueueAnswer(kIdAbort);
  ReportException(nullptr, "IDM_NewData");
  EXPECT_TRUE(NativeMainWindowDestroyed());
  NativeSetMainWindow(nullptr);
}

TEST_F(ReportTest, Level2NamesTheException) {
  NativeQueueAnswer(kIdIgnore);
  EXPECT_EQ(ReportLevel2Exception(nullptr, "WM_COMMAND", 0xC0000094u, 0x401000, 0, 0, 0), kIdIgnore);
  const std::string& t = Boxes()[0].text;
  EXPECT_TRUE(Contains(t, "WM_COMMAND の処理中に整数のゼロ除算が発生しました。"));
  EXPECT_TRUE(Contains(t, "Code: 0XC0000094\n"));
  EXPECT_EQ(Boxes()[0].title, "ΩΡΟΜΙΡΑ");
  EXPECT_STREQ(ExceptionKindName(0xC0000005u), "無効なアドレスへのアクセス");
  EXPECT_STREQ(ExceptionKindName(0xC000008Eu), "浮動小数点数のゼロ除算");
  EXPECT_STREQ(ExceptionKindName(0xC0000090u), "浮動小数点数に関する不正");
  EXPECT_STREQ(ExceptionKindName(0xC00000FDu), "スタックのオーバーフロー");
  EXPECT_STREQ(ExceptionKindName(0x12345u), "予期せぬ問題");
}

TEST_F(ReportTest, CheckValueBox) {
  ReportCheckValue("lRet", 300.0);
  EXPECT_EQ(Boxes()[0].title, "CheckValue");
  EXPECT_EQ(Boxes()[0].text, "lRet = 300.00000000");
}

TEST_F(ReportTest, OwnMessageBoxAnswers) {
  NativeQueueAnswer(kIdNo);
  EXPECT_EQ(AppMsgBox(nullptr, "見出し", "一", "二", "三"), kIdNo);
  EXPECT_EQ(Boxes()[0].kind, "AppMsgBox");
  EXPECT_EQ(Boxes()[0].title, "ΩΡΟΜΙΡΑ");
  EXPECT_EQ(Boxes()[0].lines[0], "見出し");
  EXPECT_EQ(Boxes()[0].lines[3], "三");

  NativeQueueAnswer(kIdYes);  // button 6 is "Ｏ Ｋ"
  EXPECT_EQ(AppOkCancelMsg(nullptr, "h", "", "", ""), kIdOk);
  NativeQueueAnswer(kIdCancel);
  EXPECT_EQ(AppOkCancelMsg(nullptr, "h", "", "", ""), kIdCancel);
}

TEST_F(ReportTest, OwnMessageBoxCutsLongLines) {
  std::string sLong;
  for (int i = 0; i < 70; ++i) sLong += "漢";  // 140 bytes
  AppOkMsg(nullptr, sLong.c_str(), "", "", "");
  EXPECT_EQ(Boxes()[0].lines[0].size(), 127u);
  EXPECT_EQ(Boxes()[0].lines[0].back(), ' ');
}

TEST_F(ReportTest, OwnMessageBoxWithoutMemory) {
  NativeFailNextAppBoxAlloc();
  EXPECT_EQ(AppMsgBox(nullptr, "h", "1", "2", "3"), 0);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "!hMem for AppMsgBox");
  NativeFailNextAppBoxAlloc();
  EXPECT_EQ(AppOkCancelMsg(nullptr, "h", "1", "2", "3"), 0);
  EXPECT_EQ(Boxes()[1].text, "!hMem for AppOkCancelMsg");
  NativeFailNextAppBoxAlloc();
  AppOkMsg(nullptr, "h", "1", "2", "3");
  EXPECT_EQ(Boxes()[2].text, "!hMem for AppOkMsg");
}

}  // namespace
