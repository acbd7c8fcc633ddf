// The settings record: defaults, reading with its checks, LoadSii's paths
// and marks, and the exit rules.
#include "persist_fixture.h"
#include "persistence/association.h"
#include "time/calendar.h"

namespace {

using Settings = PersistTest;

// Loads a settings file's bytes through the read check.
int ReadImage(const std::string& path, SystemIniInf* pSii) {
  FILE* f = fopen(path.c_str(), "rb");
  if (!f) return -1;
  const int iOk = ReadSettingsStream(f, pSii);
  fclose(f);
  return iOk;
}

SystemIniInf Valid() {
  SystemIniInf sii;
  ResetSettings(&sii);
  return sii;
}

TEST(DefaultPerson, TakesTheBuildStampFields) {
  BirthRecord r;
  MakeDefaultPerson(&r, "Jan  5 2024", "08:09:10");
  EXPECT_EQ(r.iDataNo, -3);
  EXPECT_STREQ(r.szName, "HoroMira 5.4.0.2");
  EXPECT_EQ(r.time.year, 2000);
  EXPECT_EQ(r.time.month, 7);
  EXPECT_EQ(r.time.day, 5);
  EXPECT_EQ(r.time.hour, 8);
  EXPECT_EQ(r.time.minute, 9);
  EXPECT_DOUBLE_EQ(r.time.second, 10.0);
  EXPECT_DOUBLE_EQ(r.dBirthLat, 35.61);
  EXPECT_DOUBLE_EQ(r.dCurrentLong, 139.12);
  EXPECT_EQ(r.iMarker, 1);
  EXPECT_EQ(r.bTimeKnown, 1);
  EXPECT_EQ(r.bSecondsGiven, 1);
  const uint32_t dwMagic = r.dwMagic;  // packed record: copied, not bound
  EXPECT_EQ(dwMagic, kRecordMagic);
  EXPECT_GT(strlen(r.szBirthPlace), 0u);
  EXPECT_STREQ(r.szBirthPlace, r.szCurrentPlace);
  MakeDefaultPerson(&r, "Dec 31 2023", "23:59:58");
  EXPECT_EQ(r.time.day, 31);
  EXPECT_EQ(r.time.hour, 23);
}

TEST_F(Settings, DefaultsFollowTheScreen) {
  NativeSetScreenSize(1280, 1024);
  SystemIniInf sii = Valid();
  EXPECT_EQ(sii.dwMagic, kRecordMagic);
  EXPECT_EQ(sii.bOrb, 5);
  EXPECT_EQ(sii.bBackColor, 0);
  EXPECT_EQ(sii.bFlags, kSiiFlagTitlePage);
  EXPECT_EQ(sii.nRecent, 1);
  EXPECT_EQ(std::string(sii.szDataFile), Path("出生ﾃﾞｰﾀ.Bd5"));
  EXPECT_STREQ(sii.szRecent[0], sii.szDataFile);
  EXPECT_EQ(sii.dwWindowTopLeft, (64u << 16) | 51u);
  EXPECT_EQ(sii.dwWindowBottomRight, (1216u << 16) | 973u);
  EXPECT_EQ(sii.iStartCount, 0u);
  EXPECT_EQ(sii.defaultData.iDataNo, -3);
  EXPECT_EQ(ValidateDateTime(nullptr, "", sii.defaultData.time, 0), 0);
}

TEST_F(Settings, OnlyTheFirst3920BytesCount) {
  SystemIniInf sii = Valid();
  sii.bOrb = 8;
  std::string bytes(reinterpret_cast<const char*>(&sii), sizeof sii);
  WriteBytes(Path("long.sii"), (bytes + "z").data(), bytes.size() + 1);
  WriteBytes(Path("short.sii"), bytes.data(), bytes.size() - 1);
  SystemIniInf got{};
  EXPECT_EQ(ReadImage(Path("long.sii"), &got), 1);
  EXPECT_EQ(got.bOrb, 8);
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(ReadImage(Path("short.sii"), &got), 0);
  EXPECT_EQ(got.bOrb, 5);  // reset
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].lines[0], "設定ファイルのエラー");
  EXPECT_EQ(Boxes()[0].lines[1], "設定ファイルが壊れているか古いので、");
  EXPECT_EQ(Boxes()[0].lines[2], "いったん白紙状態に戻します。");
}

TEST_F(Settings, ForeignAndBadRecordsAreReset) {
  SystemIniInf bad = Valid();
  bad.bBackColor = 6;
  bad.bOrb = 10;
  WriteBytes(Path("c6.sii"), &bad, sizeof bad);
  SystemIniInf got{};
  EXPECT_EQ(ReadImage(Path("c6.sii"), &got), 0);
  EXPECT_EQ(got.bOrb, 5);

  bad = Valid();
  bad.dwMagic = 0x12345678u;
  WriteBytes(Path("magic.sii"), &bad, sizeof bad);
  EXPECT_EQ(ReadImage(Path("magic.sii"), &got), 0);

  // 31 April in the default person: the date boxes, then the settings box.
  NativeClearBoxes();
  bad = Valid();
  bad.defaultData.time.month = 4;
  bad.defaultData.time.day = 31;
  WriteBytes(Path("apr31.sii"), &bad, sizeof bad);
  EXPECT_EQ(ReadImage(Path("apr31.sii"), &got), 0);
  ASSERT_EQ(Boxes().size(), 3u);
  EXPECT_EQ(Boxes()[0].title, "Horomira：ﾃﾞｰﾀの読み込み");
  EXPECT_EQ(Boxes()[1].title, "無効なデータ");
  EXPECT_TRUE(Contains(Boxes()[1].text, "この月は30日までしかありません。"));
  EXPECT_EQ(Boxes()[2].lines[0], "設定ファイルのエラー");
  EXPECT_EQ(got.defaultData.time.month, 7);
}

TEST_F(Settings, AnAcceptedRecordHasItsTextsEndedAndTenRecentSlotsAtMost) {
  SystemIniInf sii = Valid();
  memset(sii.szDataFile, 'd', sizeof sii.szDataFile);
  memset(sii.szRecent, 'r', sizeof sii.szRecent);
  memset(sii.szSiiPath, 's', sizeof sii.szSiiPath);
  memset(sii.defaultData.szBirthPlace, 'p', sizeof sii.defaultData.szBirthPlace);
  sii.nRecent = 200;
  WriteBytes(Path("wild.sii"), &sii, sizeof sii);
  SystemIniInf got{};
  ASSERT_EQ(ReadImage(Path("wild.sii"), &got), 1);
  EXPECT_EQ(strlen(got.szDataFile), sizeof got.szDataFile - 1);
  EXPECT_EQ(strlen(got.szRecent[9]), sizeof got.szRecent[9] - 1);
  EXPECT_EQ(strlen(got.szSiiPath), sizeof got.szSiiPath - 1);
  EXPECT_EQ(strlen(got.defaultData.szBirthPlace), sizeof got.defaultData.szBirthPlace - 1);
  EXPECT_EQ(got.nRecent, 10);
  AddRecentFile("x.bd5", &got, nullptr, 0);  // works on the kept slots
  EXPECT_EQ(got.nRecent, 10);
}

TEST_F(Settings, FirstRunRegistersAndSavesSecondRunCountsTwo) {
  SystemIniInf temp{};
  ASSERT_EQ(LoadSii(&temp, -1), 1);
  EXPECT_EQ(temp.iStartCount, 1u);
  // A genuine first start shows no warning; registering shows its title page.
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].kind, "TitlePage");
  EXPECT_EQ(Boxes()[0].text, "    自動設定中 ...");
  EXPECT_EQ(Boxes()[0].style, 3000u);
  std::string value;
  ASSERT_TRUE(NativeRegistryDefault("Horomap\\shell\\open\\command", &value));
  EXPECT_EQ(value, Path("Horomap %1"));

  SystemIniInf live{};
  ASSERT_EQ(LoadSii(&live, 1), 1);
  EXPECT_EQ(live.iStartCount, 1u);
  EXPECT_EQ(Boxes().size(), 1u);  // registered once per run, no warning
  EXPECT_EQ(std::string(live.szSiiPath), Path("Horom.sii"));
  EXPECT_FALSE(Exists(Path("Horom.sii")));

  SaveSettingsAtExit(&live, WindowRect{10, 20, 700, 500}, false, false);
  ASSERT_EQ(ReadBytes(Path("Horom.sii")).size(), 3920u);
  EXPECT_FALSE(Exists(Path("Horom.sii.tmp")));

  // The second run.
  LoadSiiResetRunMarks();
  NativeClearBoxes();
  SystemIniInf temp2{}, live2{};
  ASSERT_EQ(LoadSii(&temp2, -1), 1);
  ASSERT_EQ(LoadSii(&live2, 1), 1);
  EXPECT_EQ(live2.iStartCount, 2u);
  EXPECT_EQ(live2.dwWindowTopLeft, (10u << 16) | 20u);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(Settings, ADeepProgramFolderStillFindsItsSettings) {
  std::string deep = dir_;
  while (deep.size() < 200) deep += "/folder_of_the_program";
  ASSERT_EQ(system(("mkdir -p '" + deep + "'").c_str()), 0);
  NativeSetDirectories(deep.c_str(), deep.c_str(), nullptr);
  SystemIniInf sii = Valid();
  ASSERT_EQ(SetFileAssociation(&sii, 1), 1);
  SettingsFilePath(sii.szSiiPath, sizeof sii.szSiiPath);
  sii.bOrb = 4;
  ASSERT_EQ(LoadSii(&sii, 0), 1);
  NativeClearBoxes();
  SystemIniInf live{};
  ASSERT_EQ(LoadSii(&live, 1), 1);
  EXPECT_EQ(live.bOrb, 4);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(Settings, AMissingFileIsWarnedOncePerRun) {
  // The association exists but Horom.sii is gone.
  SystemIniInf sii = Valid();
  ASSERT_EQ(SetFileAssociation(&sii, 1), 1);
  NativeClearBoxes();
  SystemIniInf temp{}, live{};
  ASSERT_EQ(LoadSii(&temp, -1), 1);
  ASSERT_EQ(LoadSii(&live, 1), 1);
  ASSERT_EQ(CountShown("Horom.siiが見つかりません。"), 1);
  const ShownBox& warning = Boxes()[0];
  EXPECT_EQ(warning.title, Path("Horom.sii"));
  EXPECT_EQ(warning.style, kMbOk | kMbIconWarning);
  EXPECT_EQ(warning.text,
            "Horom.siiが見つかりません。これが最初の起動であれば問題ありません。そうでない場合、"
            "ホロミラの画面が表示されたらすぐ、出生データファイルをバックアップしてください。");
  EXPECT_EQ(live.iStartCount, 1u);
}

TEST_F(Settings, ThePredecessorsFileIsMigrated) {
  const std::string windir = Path("win");
  ASSERT_EQ(system(("mkdir '" + windir + "'").c_str()), 0);
  NativeSetDirectories(dir_.c_str(), dir_.c_str(), windir.c_str());
  SystemIniInf old = Valid();
  old.bOrb = 10;
  old.bBackColor = 3;
  old.iStartCount = 41;
  WriteBytes(windir + "/Velkor51.sys", &old, sizeof old);
  SystemIniInf live{};
  ASSERT_EQ(LoadSii(&live, 1), 1);
  EXPECT_EQ(live.bOrb, 10);
  EXPECT_EQ(live.bBackColor, 3);
  EXPECT_EQ(live.iStartCount, 42u);
  EXPECT_EQ(std::string(live.szSiiPath), Path("Horom.sii"));
  ASSERT_GE(Boxes().size(), 3u);
  EXPECT_EQ(Boxes()[0].lines[0], "ホロミラのバージョンアップ");
  EXPECT_EQ(Boxes()[0].lines[1], "旧バージョンを検出しました。");
  EXPECT_EQ(Boxes()[0].lines[2], "設定を更新します。以下、すべて");
  EXPECT_EQ(Boxes()[0].lines[3], "[確認]または[ＯＫ]をクリックしてください。");
  // Removing the absent old association is silent.
  EXPECT_FALSE(Shown("CheckValue"));
  EXPECT_EQ(Boxes().back().lines[0], "ホロミラ");
  EXPECT_EQ(Boxes().back().lines[1], "レジストリを正常に更新しました");
  EXPECT_TRUE(NativeRegistryHasKey(".bd5"));
}

// An upgrade run: the start-up load migrates the predecessor's file and
// registers the association; the window's load then finds the association
// without Horom.sii and shows the missing-file warning, once, before it
// migrates again.  A first start without a predecessor shows none.
TEST_F(Settings, AfterAMigrationTheSecondLoadWarnsOnce) {
  const std::string windir = Path("win");
  ASSERT_EQ(system(("mkdir '" + windir + "'").c_str()), 0);
  NativeSetDirectories(dir_.c_str(), dir_.c_str(), windir.c_str());
  SystemIniInf old = Valid();
  WriteBytes(windir + "/Velkor51.sys", &old, sizeof old);
  SystemIniInf temp{}, live{};
  ASSERT_EQ(LoadSii(&temp, -1), 1);
  EXPECT_EQ(CountShown("Horom.siiが見つかりません。"), 0);
  ASSERT_EQ(LoadSii(&live, 1), 1);
  EXPECT_EQ(CountShown("Horom.siiが見つかりません。"), 1);
  EXPECT_EQ(CountShown("旧バージョンを検出しました。"), 2);
  SystemIniInf again{};
  ASSERT_EQ(LoadSii(&again, 1), 1);
  EXPECT_EQ(CountShown("Horom.siiが見つかりません。"), 1);

  // A genuine first start: no predecessor, no warning in either load.
  NativeClearBoxes();
  NativeRegistryClear();
  LoadSiiResetRunMarks();
  ASSERT_EQ(unlink((windir + "/Velkor51.sys").c_str()), 0);
  ASSERT_EQ(LoadSii(&temp, -1), 1);
  ASSERT_EQ(LoadSii(&live, 1), 1);
  EXPECT_EQ(CountShown("Horom.siiが見つかりません。"), 0);
}

TEST_F(Settings, AFailedFirstRegistrationEndsStartUp) {
  NativeRegistryDenyCreate(".bd5");
  SystemIniInf temp{};
  EXPECT_EQ(LoadSii(&temp, -1), 0);
  EXPECT_TRUE(Shown("error = 4.00000000"));
  EXPECT_EQ(Boxes().back().text, "インストール失敗");
  EXPECT_EQ(Boxes().back().style, kMbOk | kMbIconError);
  EXPECT_EQ(LoadSii(nullptr, 1), 0);
  EXPECT_EQ(Boxes().back().text, "!lpSii in LoadSii");
}

TEST_F(Settings, ExitStoresThePlacementAndTheDefaultPersonMark) {
  SystemIniInf sii = Valid();
  snprintf(sii.szSiiPath, sizeof sii.szSiiPath, "%s", Path("Horom.sii").c_str());
  sii.defaultData.iDataNo = kDataNoNewDefault;
  SaveSettingsAtExit(&sii, WindowRect{-4, -4, 1028, 772}, true, false);
  EXPECT_TRUE(sii.bFlags & kSiiFlagMaximized);
  EXPECT_EQ(sii.dwWindowTopLeft, 0u);
  EXPECT_EQ(sii.dwWindowBottomRight, (1028u << 16) | 772u);
  EXPECT_EQ(sii.defaultData.iDataNo, kDataNoOldDefault);
  SystemIniInf saved{};
  ASSERT_EQ(ReadImage(Path("Horom.sii"), &saved), 1);
  EXPECT_EQ(memcmp(&saved, &sii, sizeof sii), 0);

  // A window not maximized keeps negative corners (sign-extended back).
  StoreWindowPlacement(&sii, WindowRect{-30, 5, 600, 450}, false);
  EXPECT_FALSE(sii.bFlags & kSiiFlagMaximized);
  int x, y;
  UnpackCorner(sii.dwWindowTopLeft, &x, &y);
  EXPECT_EQ(x, -30);
  EXPECT_EQ(y, 5);

  // After the uninstall nothing is saved.
  ASSERT_EQ(unlink(Path("Horom.sii").c_str()), 0);
  sii.defaultData.iDataNo = kDataNoNewDefault;
  SaveSettingsAtExit(&sii, WindowRect{0, 0, 800, 600}, false, true);
  EXPECT_FALSE(Exists(Path("Horom.sii")));
}

TEST_F(Settings, SavingIsSafeAndReportsFailures) {
  SystemIniInf sii = Valid();
  snprintf(sii.szSiiPath, sizeof sii.szSiiPath, "%s", Path("Horom.sii").c_str());
  ASSERT_EQ(LoadSii(&sii, 0), 1);
  const std::string before = ReadBytes(Path("Horom.sii"));
  sii.bOrb = 3;
  NativeFailWritesAfter(1000);
  EXPECT_EQ(LoadSii(&sii, 0), 1);
  NativeFailWritesAfter(-1);
  EXPECT_EQ(ReadBytes(Path("Horom.sii")), before);
  EXPECT_FALSE(Exists(Path("Horom.sii.tmp")));
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].lines[1], "!fwrite at LoadSii");
  EXPECT_EQ(Boxes()[0].lines[2], "Horom.sii");
  snprintf(sii.szSiiPath, sizeof sii.szSiiPath, "%s", Path("no/dir/Horom.sii").c_str());
  EXPECT_EQ(LoadSii(&sii, 0), 1);
  EXPECT_EQ(Boxes().back().lines[1], "!fopen at LoadSii");
}

TEST_F(Settings, PaletteGuardResetsABadColour) {
  SystemIniInf sii = Valid();
  snprintf(sii.szSiiPath, sizeof sii.szSiiPath, "%s", Path("Horom.sii").c_str());
  EXPECT_EQ(CheckBackColor(&sii), 1);
  sii.bBackColor = 6;
  sii.bOrb = 8;
  EXPECT_EQ(CheckBackColor(&sii), 0);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "初期化情報が異常。再設定するので再起動してください");
  EXPECT_EQ(sii.bBackColor, 0);
  EXPECT_EQ(sii.bOrb, 5);
  // Still saved at exit, so that the restart finds good settings.
  EXPECT_EQ(std::string(sii.szSiiPath), Path("Horom.sii"));
}

}  // namespace
