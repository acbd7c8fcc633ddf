// Safe writing of a file on the real file system: links, rights and hard
// links stay what they were, anything but a regular file is refused, and a
// stop of the process before any step loses nothing.
#include <sys/stat.h>

#include "persist_fixture.h"

namespace {

struct stat StatOf(const std::string& path, bool bLink = false) {
  struct stat st;
  memset(&st, 0, sizeof st);
  if ((bLink ? lstat(path.c_str(), &st) : stat(path.c_str(), &st)) != 0) st.st_mode = 0;
  return st;
}

class SafeWrite : public PersistTest {
 protected:
  // A table of n rows named "<prefix><i>", and the bytes a file of it holds.
  static std::string FillTable(BirthTable* pTable, const char* szPrefix, int n) {
    memset(pTable, 0, sizeof *pTable);
    for (int i = 0; i < n; ++i) pTable->rows[i] = Row((szPrefix + std::to_string(i)).c_str(), 1970 + i, 2, 3);
    pTable->iNumData = n;
    return std::string(reinterpret_cast<const char*>(pTable->rows), n * sizeof(BirthRecord));
  }
};

TEST_F(SafeWrite, LinksRightsAndHardLinksStay) {
  auto table = std::make_unique<BirthTable>();
  const std::string newBytes = FillTable(table.get(), "New", 3);
  std::string oldBytes;
  {
    auto old = std::make_unique<BirthTable>();
    oldBytes = FillTable(old.get(), "Old", 2);
  }

  // Rights: a file only its owner may read keeps them.
  WriteBytes(Path("private.bd5"), oldBytes.data(), oldBytes.size());
  ASSERT_EQ(chmod(Path("private.bd5").c_str(), 0600), 0);
  ASSERT_EQ(WriteBirthDataFile(table.get(), Path("private.bd5").c_str()), 1);
  EXPECT_EQ(StatOf(Path("private.bd5")).st_mode & 07777, 0600u);
  EXPECT_TRUE(ReadBytes(Path("private.bd5")) == newBytes);

  // A relative link into another folder: the target is written, beside
  // itself; the link stays a link.
  ASSERT_EQ(mkdir(Path("sub").c_str(), 0755), 0);
  WriteBytes(Path("sub/real.bd5"), oldBytes.data(), oldBytes.size());
  ASSERT_EQ(chmod(Path("sub/real.bd5").c_str(), 0640), 0);
  ASSERT_EQ(symlink("sub/real.bd5", Path("link.bd5").c_str()), 0);
  ASSERT_EQ(symlink(Path("link.bd5").c_str(), Path("link2.bd5").c_str()), 0);  // a link to the link
  ASSERT_EQ(WriteBirthDataFile(table.get(), Path("link2.bd5").c_str()), 1);
  EXPECT_TRUE(S_ISLNK(StatOf(Path("link.bd5"), true).st_mode));
  EXPECT_TRUE(S_ISLNK(StatOf(Path("link2.bd5"), true).st_mode));
  EXPECT_TRUE(ReadBytes(Path("sub/real.bd5")) == newBytes);
  EXPECT_EQ(StatOf(Path("sub/real.bd5")).st_mode & 07777, 0640u);
  EXPECT_FALSE(Exists(Path("link.bd5.tmp")));
  EXPECT_FALSE(Exists(Path("link2.bd5.tmp")));
  EXPECT_FALSE(Exists(Path("sub/real.bd5.tmp")));

  // A link to nothing: the write creates its target.
  ASSERT_EQ(symlink("made.bd5", Path("dangling.bd5").c_str()), 0);
  ASSERT_EQ(WriteBirthDataFile(table.get(), Path("dangling.bd5").c_str()), 1);
  EXPECT_TRUE(S_ISLNK(StatOf(Path("dangling.bd5"), true).st_mode));
  EXPECT_TRUE(ReadBytes(Path("made.bd5")) == newBytes);

  // Hard links keep sharing the file.
  WriteBytes(Path("a.bd5"), oldBytes.data(), oldBytes.size());
  ASSERT_EQ(link(Path("a.bd5").c_str(), Path("b.bd5").c_str()), 0);
  const ino_t inode = StatOf(Path("a.bd5")).st_ino;
  ASSERT_EQ(WriteBirthDataFile(table.get(), Path("a.bd5").c_str()), 1);
  EXPECT_EQ(StatOf(Path("a.bd5")).st_ino, inode);
  EXPECT_EQ(StatOf(Path("a.bd5")).st_nlink, 2u);
  EXPECT_TRUE(ReadBytes(Path("b.bd5")) == newBytes);
  EXPECT_FALSE(Exists(Path("a.bd5.bak")));
  EXPECT_FALSE(Exists(Path("a.bd5.tmp")));

  // The owner stays, where the writer may keep it (root).
  if (IsRoot()) {
    WriteBytes(Path("theirs.bd5"), oldBytes.data(), oldBytes.size());
    ASSERT_EQ(chown(Path("theirs.bd5").c_str(), kOtherUser, kOtherUser), 0);
    ASSERT_EQ(WriteBirthDataFile(table.get(), Path("theirs.bd5").c_str()), 1);
    EXPECT_EQ(StatOf(Path("theirs.bd5")).st_uid, kOtherUser);
    EXPECT_EQ(StatOf(Path("theirs.bd5")).st_gid, kOtherUser);
  }
  EXPECT_TRUE(Boxes().empty());

  // The settings file is written the same way.
  SystemIniInf sii;
  ResetSettings(&sii);
  WriteBytes(Path("real.sii"), "x", 1);
  ASSERT_EQ(chmod(Path("real.sii").c_str(), 0600), 0);
  ASSERT_EQ(symlink("real.sii", Path("Horom.sii").c_str()), 0);
  snprintf(sii.szSiiPath, sizeof sii.szSiiPath, "%s", Path("Horom.sii").c_str());
  EXPECT_EQ(LoadSii(&sii, 0), 1);
  EXPECT_TRUE(S_ISLNK(StatOf(Path("Horom.sii"), true).st_mode));
  EXPECT_EQ(ReadBytes(Path("real.sii")).size(), sizeof(SystemIniInf));
  EXPECT_EQ(StatOf(Path("real.sii")).st_mode & 07777, 0600u);
}

TEST_F(SafeWrite, AnythingButARegularFileIsRefused) {
  ASSERT_EQ(mkdir(Path("folder.bd5").c_str(), 0755), 0);
  ASSERT_EQ(mkfifo(Path("pipe.bd5").c_str(), 0644), 0);
  table_->rows[0] = Row("A", 1980, 1, 1);
  table_->iNumData = 1;
  for (const char* szName : {"folder.bd5", "pipe.bd5"}) {
    SCOPED_TRACE(szName);
    NativeClearBoxes();
    EXPECT_EQ(WriteBirthDataFile(table_.get(), Path(szName).c_str()), 0);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].lines[1], "not open in w-mode");
    EXPECT_EQ(Boxes()[0].lines[3], "通常のファイルではないので書き込みません");
    // Reading neither takes it for a file of too many rows nor waits on
    // the pipe.
    NativeClearBoxes();
    EXPECT_EQ(ReadBirthDataFile(Path(szName).c_str(), table_.get()), 0);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].lines[2], "上記のファイルをひらけません");
    EXPECT_EQ(Boxes()[0].lines[3], "通常のファイルではありません (フォルダーや装置など)");
    EXPECT_FALSE(Exists(Path(std::string(szName) + ".tmp")));
  }
  EXPECT_TRUE(S_ISDIR(StatOf(Path("folder.bd5")).st_mode));
  EXPECT_TRUE(S_ISFIFO(StatOf(Path("pipe.bd5")).st_mode));
  EXPECT_EQ(table_->iNumData, 1);
}

TEST_F(SafeWrite, TheBackupOfAnInterruptedRewriteIsNeverOverwritten) {
  WriteRows(Path("a.bd5"), 2);
  ASSERT_EQ(link(Path("a.bd5").c_str(), Path("b.bd5").c_str()), 0);
  WriteBytes(Path("a.bd5.bak"), "left by a stop", 14);
  const std::string before = ReadBytes(Path("a.bd5"));
  FillTable(table_.get(), "New", 3);
  EXPECT_EQ(WriteBirthDataFile(table_.get(), Path("a.bd5").c_str()), 0);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].lines[1], "!fwrite at WriteBirthDataFile");
  EXPECT_EQ(Boxes()[0].lines[3], "中断された保存の控え (.bak) があります。確かめてください");
  EXPECT_EQ(ReadBytes(Path("a.bd5.bak")), "left by a stop");
  EXPECT_TRUE(ReadBytes(Path("b.bd5")) == before);
  EXPECT_FALSE(Exists(Path("a.bd5.tmp")));
}

// The process is stopped before each step of a write in turn (the last run
// is the one that completes).  After every stop the old contents or the
// new ones are complete on the disk, under the file's own name or, for the
// hard-linked file, in its backup; the links are still links; and the next
// write either completes or is refused without touching anything.
TEST_F(SafeWrite, AStopBeforeAnyStepLosesNothing) {
  enum Shape { kPlain, kLinked, kHardLinked };
  for (const Shape shape : {kPlain, kLinked, kHardLinked}) {
    SCOPED_TRACE(shape == kPlain ? "plain" : shape == kLinked ? "symbolic link" : "hard link");
    const std::string target = Path("data.bd5");
    const std::string written = shape == kLinked ? Path("link.bd5") : target;
    const std::string backup = target + ".bak", temp = target + ".tmp";
    std::string oldBytes, newBytes;
    int nCrashes = 0;
    for (long nStep = 1;; ++nStep) {
      SCOPED_TRACE("stopped before step " + std::to_string(nStep));
      for (const std::string& p : {target, written, backup, temp, Path("other.bd5")}) unlink(p.c_str());
      oldBytes = FillTable(table_.get(), "Old", 2);
      WriteBytes(target, oldBytes.data(), oldBytes.size());
      ASSERT_EQ(chmod(target.c_str(), 0604), 0);
      if (shape == kLinked) { ASSERT_EQ(symlink("data.bd5", written.c_str()), 0); }
      if (shape == kHardLinked) { ASSERT_EQ(link(target.c_str(), Path("other.bd5").c_str()), 0); }
      newBytes = FillTable(table_.get(), "New", 3);

      const int iExit = InChild([&] {
        NativeCrashBeforeFileStep(nStep);
        return WriteBirthDataFile(table_.get(), written.c_str()) == 1 ? 0 : 1;
      });
      if (iExit == 0) break;  // no step was left to stop before
      ASSERT_EQ(iExit, kNativeCrashExitCode);
      ++nCrashes;

      const std::string now = ReadBytes(target);
      const bool bWhole = now == oldBytes || now == newBytes;
      EXPECT_TRUE(bWhole || (ReadBytes(backup) == oldBytes && ReadBytes(temp) == newBytes));
      EXPECT_EQ(StatOf(target).st_mode & 07777, 0604u);
      if (shape == kLinked) { EXPECT_TRUE(S_ISLNK(StatOf(written, true).st_mode)); }
      if (shape == kHardLinked) { EXPECT_EQ(StatOf(Path("other.bd5")).st_ino, StatOf(target).st_ino); }

      // The next write, after the stop.
      const std::string backupBefore = ReadBytes(backup);
      NativeClearBoxes();
      if (WriteBirthDataFile(table_.get(), written.c_str()) == 1) {
        EXPECT_TRUE(ReadBytes(target) == newBytes);
      } else {
        ASSERT_FALSE(Boxes().empty());
        EXPECT_EQ(Boxes().back().lines[3], "中断された保存の控え (.bak) があります。確かめてください");
        EXPECT_TRUE(ReadBytes(target) == now);
        EXPECT_TRUE(ReadBytes(backup) == backupBefore);
      }
    }
    EXPECT_TRUE(ReadBytes(target) == newBytes);
    EXPECT_FALSE(Exists(temp));
    EXPECT_FALSE(Exists(backup));
    // Every step was tried: the temporary file, the rows, its push and the
    // replacement; a hard-linked file also its backup and its rewrite.
    EXPECT_GE(nCrashes, shape == kHardLinked ? 12 : 6);
  }
}

}  // namespace
