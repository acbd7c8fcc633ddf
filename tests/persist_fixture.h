// A scratch folder and a clean native platform for the persistence tests.
#pragma once

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "persistence/data_file.h"
#include "persistence/settings.h"
#include "platform/os_services.h"
#include "test_support.h"

class PersistTest : public BoxTest {
 protected:
  void SetUp() override {
    BoxTest::SetUp();
    char szTemplate[] = "/tmp/horopersistXXXXXX";
    ASSERT_NE(mkdtemp(szTemplate), nullptr);
    dir_ = szTemplate;
    NativeSetDirectories(dir_.c_str(), dir_.c_str(), nullptr);
    NativeSetScreenSize(1024, 768);
    NativeRegistryClear();
    NativeClearFileDialogs();
    NativeClearRecentMenu();
    NativeFailWritesAfter(-1);
    LoadSiiResetRunMarks();
    table_.reset(new BirthTable());
    memset(table_.get(), 0, sizeof(BirthTable));
  }
  void TearDown() override {
    NativeSetDirectories(nullptr, nullptr, nullptr);
    NativeFailWritesAfter(-1);
    NativeRegistryClear();
    NativeClearFileDialogs();
    std::string cmd = "rm -rf '" + dir_ + "'";
    if (system(cmd.c_str()) != 0) ADD_FAILURE() << "cannot remove " << dir_;
    BoxTest::TearDown();
  }

  // A path in the scratch folder.
  std::string Path(const std::string& name) const { return dir_ + "/" + name; }

  // A valid row.
  static BirthRecord Row(const char* szName, int y, int m, int d) {
    BirthRecord r{};
    snprintf(r.szName, sizeof r.szName, "%s", szName);
    r.time = DateTime{y, m, d, 10, 30, 0.0};
    r.dBirthLat = 35.65;
    r.dBirthLong = 139.75;
    r.bTimeKnown = 1;
    r.dwMagic = kRecordMagic;
    return r;
  }

  // Writes raw bytes as a file.
  static void WriteBytes(const std::string& path, const void* p, size_t n) {
    FILE* f = fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    if (n) {
      ASSERT_EQ(fwrite(p, 1, n, f), n);
    }
    fclose(f);
  }
  static std::string ReadBytes(const std::string& path) {
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return std::string("<missing>");
    std::string s;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0) s.append(buf, n);
    fclose(f);
    return s;
  }
  static bool Exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

  // The user id of the child processes of InChild (nobody) and whether the
  // tests run as root, for whom permission bits do not apply.
  static constexpr uid_t kOtherUser = 65534;
  static bool IsRoot() { return geteuid() == 0; }

  // Runs fn in a child process and returns its result (its exit code), or
  // -1 when it did not end normally.  bAsOtherUser: the child runs as an
  // ordinary user when the tests run as root, so that permission bits
  // apply to it; the scratch folder is then opened to every user.
  int InChild(const std::function<int()>& fn, bool bAsOtherUser = false) {
    if (bAsOtherUser) chmod(dir_.c_str(), 0777);
    fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
      if (bAsOtherUser && IsRoot() &&
          (setgroups(0, nullptr) != 0 || setgid(kOtherUser) != 0 || setuid(kOtherUser) != 0)) {
        _exit(120);
      }
      _exit(fn());
    }
    int iStatus = 0;
    if (pid < 0 || waitpid(pid, &iStatus, 0) != pid) return -1;
    return WIFEXITED(iStatus) ? WEXITSTATUS(iStatus) : -1;
  }

  // Writes n rows named "P<i>" to a file.
  void WriteRows(const std::string& path, int n) {
    std::string bytes;
    for (int i = 0; i < n; ++i) {
      BirthRecord r = Row(("P" + std::to_string(i)).c_str(), 1950 + i % 50, 1 + i % 12, 1 + i % 28);
      bytes.append(reinterpret_cast<const char*>(&r), sizeof r);
    }
    WriteBytes(path, bytes.data(), bytes.size());
  }

  // Whether a box with this kind and (part of its) text or heading was shown.
  bool Shown(const std::string& text) const {
    for (const ShownBox& b : Boxes()) {
      if (Contains(b.text, text) || Contains(b.title, text)) return true;
    }
    return false;
  }
  int CountShown(const std::string& text) const {
    int n = 0;
    for (const ShownBox& b : Boxes()) n += Contains(b.text, text) || Contains(b.title, text);
    return n;
  }

  std::string dir_;
  std::unique_ptr<BirthTable> table_;
};
