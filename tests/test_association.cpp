// The .bd5 association: registering, moving with the program, uninstalling.
#include "persist_fixture.h"
#include "persistence/association.h"

namespace {

using Association = PersistTest;

std::string Default(const char* szKey) {
  std::string value;
  return NativeRegistryDefault(szKey, &value) ? value : std::string("<none>");
}

TEST_F(Association, RegisteringCreatesTheFiveEntries) {
  SystemIniInf sii{};  // no magic word: reset before registering
  ASSERT_EQ(SetFileAssociation(&sii, 1), 1);
  EXPECT_EQ(sii.dwMagic, kRecordMagic);
  EXPECT_EQ(Default("Horomap\\shell"), "open");
  EXPECT_EQ(Default("Horomap\\shell\\open"), "&Open");
  EXPECT_EQ(Default("Horomap\\shell\\open\\command"), Path("Horomap %1"));
  EXPECT_EQ(Default("Horomap\\DefaultIcon"), Path("Horomap.exe,1"));
  EXPECT_EQ(Default(".bd5"), "Horomap");
  EXPECT_EQ(Default("Horomap"), "<none>");
  EXPECT_EQ(NativeRegistryEntries().size(), 6u);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].kind, "TitlePage");
}

TEST_F(Association, CreateFailuresAddUpInTheCheckValueBox) {
  SystemIniInf sii;
  ResetSettings(&sii);
  NativeRegistryDenyCreate("Horomap\\DefaultIcon");
  NativeRegistryDenyCreate(".BD5");
  EXPECT_EQ(SetFileAssociation(&sii, 1), 0);
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[1].title, "CheckValue");
  EXPECT_EQ(Boxes()[1].text, "error = 6.00000000");
}

TEST_F(Association, StartingFromAnotherFolderMovesTheAssociationThere) {
  // The program was used in folder A; now it starts from folder B.
  const std::string a = Path("A"), b = Path("B");
  ASSERT_EQ(system(("mkdir '" + a + "' '" + b + "'").c_str()), 0);
  NativeSetDirectories(a.c_str(), a.c_str(), nullptr);
  SystemIniInf sii;
  ResetSettings(&sii);
  sii.bOrb = 6;
  ASSERT_EQ(SetFileAssociation(&sii, 1), 1);
  snprintf(sii.szSiiPath, sizeof sii.szSiiPath, "%s/Horom.sii", a.c_str());
  ASSERT_EQ(LoadSii(&sii, 0), 1);

  NativeSetDirectories(b.c_str(), b.c_str(), nullptr);
  NativeClearBoxes();
  SystemIniInf live{};
  ASSERT_EQ(LoadSii(&live, 1), 1);
  EXPECT_EQ(live.bOrb, 6);  // A's settings were found through the association
  EXPECT_EQ(std::string(live.szSiiPath), b + "/Horom.sii");
  EXPECT_EQ(Default("Horomap\\shell\\open\\command"), b + "/Horomap %1");
  EXPECT_EQ(Default("Horomap\\DefaultIcon"), b + "/Horomap.exe,1");
  EXPECT_EQ(Default(".bd5"), "Horomap");
  EXPECT_EQ(NativeRegistryEntries().size(), 6u);
  EXPECT_TRUE(Boxes().empty());  // silent
}

TEST_F(Association, UninstallingTwiceReportsEveryMissingPiece) {
  SystemIniInf sii;
  ResetSettings(&sii);
  ASSERT_EQ(SetFileAssociation(&sii, 1), 1);
  snprintf(sii.szSiiPath, sizeof sii.szSiiPath, "%s", Path("Horom.sii").c_str());
  ASSERT_EQ(LoadSii(&sii, 0), 1);
  WriteRows(Path("family.bd5"), 2);
  NativeClearBoxes();

  EXPECT_EQ(SetFileAssociation(&sii, 0), 1);
  EXPECT_FALSE(Exists(Path("Horom.sii")));
  EXPECT_TRUE(Exists(Path("family.bd5")));
  EXPECT_TRUE(NativeRegistryEntries().empty());
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[0].lines[0], "ホロミラの システムファイル");
  EXPECT_EQ(Boxes()[0].lines[1], "Horom.sii");
  EXPECT_EQ(Boxes()[0].lines[2], "正常に削除されました");
  EXPECT_EQ(Boxes()[1].lines[0], "HKEY_CLASSES_ROOT");
  EXPECT_EQ(Boxes()[1].lines[1], "Horomap\\shell\\OPEN\\command");
  EXPECT_EQ(Boxes()[1].lines[2], "アンインストール");
  EXPECT_EQ(Boxes()[1].lines[3], "正常に削除されました");

  NativeClearBoxes();
  EXPECT_EQ(SetFileAssociation(&sii, 0), 0);
  ASSERT_EQ(Boxes().size(), 4u);
  EXPECT_EQ(Boxes()[0].lines[2], "未設定または削除できません");
  EXPECT_EQ(Boxes()[1].lines[0], "HKEY_CLASSES_ROOT");
  EXPECT_EQ(Boxes()[1].lines[2], "未設定または削除できません");
  EXPECT_EQ(Boxes()[1].lines[3], "このエラーは無視しても構いません");
  EXPECT_EQ(Boxes()[2].lines[1], "下記の場所でエラーが発生しました:");
  EXPECT_EQ(Boxes()[2].lines[2], "レジストリのサブキー");
  EXPECT_EQ(Boxes()[2].lines[3], "エラーの種類: 開けないか削除できない");
  EXPECT_EQ(Boxes()[3].title, "CheckValue");
  EXPECT_EQ(Boxes()[3].text, "error = 1500.00000000");
}

TEST_F(Association, TheUninstallCommandAsksTwiceAndKeepsBirthDataFiles) {
  SystemIniInf sii;
  ResetSettings(&sii);
  ASSERT_EQ(SetFileAssociation(&sii, 1), 1);
  snprintf(sii.szSiiPath, sizeof sii.szSiiPath, "%s", Path("Horom.sii").c_str());
  ASSERT_EQ(LoadSii(&sii, 0), 1);
  WriteRows(Path("family.bd5"), 1);
  NativeClearBoxes();
  NativeQueueAnswer(kIdYes);
  NativeQueueAnswer(kIdCancel);
  EXPECT_EQ(UninstallCommand(&sii), 0);
  EXPECT_TRUE(Exists(Path("Horom.sii")));
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[0].lines[0], "アンインストール");
  EXPECT_EQ(Boxes()[1].title, "確認");
  EXPECT_EQ(Boxes()[1].style, kMbOkCancel | kMbIconWarning | 0x100u);

  NativeQueueAnswer(kIdYes);
  NativeQueueAnswer(kIdOk);
  EXPECT_EQ(UninstallCommand(&sii), 1);
  EXPECT_FALSE(Exists(Path("Horom.sii")));
  EXPECT_TRUE(Exists(Path("family.bd5")));
  EXPECT_FALSE(NativeRegistryHasKey(".bd5"));
  EXPECT_STREQ(sii.szSiiPath, "");
}

TEST_F(Association, QuietRemovalShowsNothing) {
  SystemIniInf sii;
  ResetSettings(&sii);
  EXPECT_EQ(SetFileAssociation(&sii, -1), 0);  // nothing to remove
  EXPECT_TRUE(Boxes().empty());
  ASSERT_EQ(SetFileAssociation(&sii, 1), 1);
  NativeClearBoxes();
  EXPECT_EQ(SetFileAssociation(&sii, -1), 1);
  EXPECT_TRUE(Boxes().empty());
  EXPECT_TRUE(NativeRegistryEntries().empty());
}

// The uninstaller's entry ("Horomap.exe /uninstall"): the settings file and
// this copy's association go, birth-data files stay, nothing is shown.
TEST_F(Association, QuietUninstallRemovesThisCopysFilesAndAssociation) {
  SystemIniInf sii;
  ResetSettings(&sii);
  ASSERT_EQ(SetFileAssociation(&sii, 1), 1);
  SettingsFilePath(sii.szSiiPath, sizeof sii.szSiiPath);
  ASSERT_EQ(LoadSii(&sii, 0), 1);
  WriteRows(Path("family.bd5"), 2);
  NativeClearBoxes();

  EXPECT_EQ(QuietUninstall(), 1);
  EXPECT_FALSE(Exists(Path("Horom.sii")));
  EXPECT_TRUE(Exists(Path("family.bd5")));
  EXPECT_TRUE(NativeRegistryEntries().empty());
  EXPECT_TRUE(Boxes().empty());
  // Again, with nothing left to remove: still done, still silent.
  EXPECT_EQ(QuietUninstall(), 1);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(Association, QuietUninstallLeavesAnotherCopysAssociation) {
  // A copy in folder A holds the association and its settings; the copy in
  // folder B is uninstalled.
  const std::string a = Path("A"), b = Path("B");
  ASSERT_EQ(system(("mkdir '" + a + "' '" + b + "'").c_str()), 0);
  NativeSetDirectories(a.c_str(), a.c_str(), nullptr);
  SystemIniInf sii;
  ResetSettings(&sii);
  ASSERT_EQ(SetFileAssociation(&sii, 1), 1);
  SettingsFilePath(sii.szSiiPath, sizeof sii.szSiiPath);
  ASSERT_EQ(LoadSii(&sii, 0), 1);
  NativeSetDirectories(b.c_str(), b.c_str(), nullptr);
  SettingsFilePath(sii.szSiiPath, sizeof sii.szSiiPath);
  ASSERT_EQ(LoadSii(&sii, 0), 1);
  NativeClearBoxes();

  EXPECT_EQ(QuietUninstall(), 1);
  EXPECT_FALSE(Exists(b + "/Horom.sii"));
  EXPECT_TRUE(Exists(a + "/Horom.sii"));
  EXPECT_EQ(Default("Horomap\\shell\\open\\command"), a + "/Horomap %1");
  EXPECT_EQ(Default(".bd5"), "Horomap");
  EXPECT_TRUE(Boxes().empty());

  // Uninstalled in A as well, the association goes.
  NativeSetDirectories(a.c_str(), a.c_str(), nullptr);
  EXPECT_EQ(QuietUninstall(), 1);
  EXPECT_FALSE(Exists(a + "/Horom.sii"));
  EXPECT_TRUE(NativeRegistryEntries().empty());
}

TEST_F(Association, QuietUninstallFailsWhenTheSettingsFileStays) {
  // A folder where the settings file should be cannot be deleted as a file.
  ASSERT_EQ(system(("mkdir '" + Path("Horom.sii") + "'").c_str()), 0);
  SystemIniInf sii;
  ResetSettings(&sii);
  ASSERT_EQ(SetFileAssociation(&sii, 1), 1);
  NativeClearBoxes();
  EXPECT_EQ(QuietUninstall(), 0);
  EXPECT_TRUE(NativeRegistryEntries().empty());  // the association goes all the same
  EXPECT_TRUE(Boxes().empty());
}

TEST(QuietUninstallArgument, OnlyTheWholeArgumentCounts) {
  const struct {
    const char* szLine;
    bool bUninstall;
  } kCases[] = {
      {"/uninstall", true},         {"  /UnInstall\t ", true},  {"/uninstal", false},
      {"/uninstall now", false},    {"\"/uninstall\"", false},  {"", false},
      {"C:\\data\\family.bd5", false}, {"@velkor", false},
  };
  for (const auto& c : kCases) EXPECT_EQ(IsQuietUninstallArgument(c.szLine), c.bUninstall) << c.szLine;
  EXPECT_FALSE(IsQuietUninstallArgument(nullptr));
}

}  // namespace
