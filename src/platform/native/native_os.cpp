// Native operating-system services: files on the Linux file system (paths
// are Shift-JIS inside the engine and UTF-8 on the disk), settable folders
// and screen size, an in-memory registry, scripted file dialogs and a
// recorded recent-files menu.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <deque>
#include <map>

#include "platform/native/native_control.h"
#include "platform/os_services.h"

namespace {

struct RegNode {
  std::string name;  // as created
  bool bHasDefault = false;
  std::string value;
};

struct OsState {
  bool bDirsFixed[3] = {false, false, false};
  std::string dirs[3];
  int iScreenWidth = 1024;
  int iScreenHeight = 768;
  long nWriteLimit = -1;   // bytes that may still be written, -1 = no limit
  bool bFailReplace = false;
  long nFileSteps = 0;     // file-changing steps taken
  long nCrashStep = 0;     // the step before which the process dies, 0 = none
  std::map<std::string, RegNode> registry;  // by lower-case name
  std::vector<std::string> denied;          // lower-case names
  std::deque<std::pair<bool, std::string>> dialogAnswers;  // (chosen, path)
  std::vector<ShownFileDialog> dialogs;
  std::vector<std::string> menuItems;
  int iMenuFirst = 0;
  int iMenuDefault = 0;
  int nMenuRebuilds = 0;
};

OsState& Os() {
  static OsState state;
  return state;
}

std::string Lower(const std::string& s) {
  std::string out = s;
  for (char& c : out) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string ParentKey(const std::string& sKey) {
  const size_t i = sKey.rfind('\\');
  return i == std::string::npos ? std::string() : sKey.substr(0, i);
}

bool HasSubkeys(const std::string& sLower) {
  const std::string prefix = sLower + "\\";
  for (const auto& kv : Os().registry) {
    if (kv.first.compare(0, prefix.size(), prefix) == 0) return true;
  }
  return false;
}

// An open key natively: its lower-case name.
RegNode* NodeOf(RegKeyRef hKey) {
  if (!hKey) return nullptr;
  auto it = Os().registry.find(*static_cast<std::string*>(hKey));
  return it == Os().registry.end() ? nullptr : &it->second;
}

int CopyOut(const std::string& s, char* szDir, size_t cbDir) {
  if (cbDir == 0) return 0;
  szDir[0] = '\0';
  if (s.empty() || s.size() >= cbDir) return 0;
  memcpy(szDir, s.c_str(), s.size() + 1);
  return 1;
}

std::string RealCurrentDirectory() {
  char buf[4096];
  if (!getcwd(buf, sizeof buf)) return std::string();
  return Utf8ToCp932(buf);
}

std::string RealModuleDirectory() {
  char buf[4096];
  const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return std::string();
  buf[n] = '\0';
  char* pSlash = strrchr(buf, '/');
  if (!pSlash) return std::string();
  if (pSlash == buf) pSlash[1] = '\0';
  else *pSlash = '\0';
  return Utf8ToCp932(buf);
}

}  // namespace

// --- Files ------------------------------------------------------------------

namespace {

// Every step that changes a file passes here: the injected crash ends the
// process before the step, as a kill or a power cut would (stdio buffers
// are not flushed).
void FileStep() {
  OsState& s = Os();
  ++s.nFileSteps;
  if (s.nCrashStep > 0 && s.nFileSteps == s.nCrashStep) _exit(kNativeCrashExitCode);
}

bool IsWriteMode(const char* szMode) { return strpbrk(szMode, "wa+") != nullptr; }

// A path of the engine (CP932) on the disk (UTF-8).
std::string DiskPath(const char* szPath) { return Cp932ToUtf8(szPath); }

// Pushes a folder's entries (a rename) to the disk.
void SyncFolderOf(const std::string& path) {
  const size_t i = path.rfind('/');
  const std::string dir = i == std::string::npos ? "." : (i == 0 ? "/" : path.substr(0, i));
  const int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

}  // namespace

FILE* PlatformOpenFile(const char* szPath, const char* szMode) {
  if (!szPath || !szPath[0]) return nullptr;
  if (IsWriteMode(szMode)) FileStep();
  return fopen(DiskPath(szPath).c_str(), szMode);
}

int PlatformWriteFile(FILE* f, const void* pData, size_t n) {
  FileStep();
  OsState& s = Os();
  if (s.nWriteLimit >= 0 && static_cast<long>(n) > s.nWriteLimit) {
    // The injected failure: what fits is written, then the write fails.
    fwrite(pData, 1, static_cast<size_t>(s.nWriteLimit), f);
    s.nWriteLimit = 0;
    return 0;
  }
  if (s.nWriteLimit >= 0) s.nWriteLimit -= static_cast<long>(n);
  return fwrite(pData, 1, n, f) == n ? 1 : 0;
}

int PlatformCommitFile(FILE* f) {
  FileStep();
  int iOk = fflush(f) == 0;
  if (iOk && fsync(fileno(f)) != 0) iOk = 0;
  if (fclose(f) != 0) iOk = 0;
  return iOk;
}

int PlatformInspectFile(const char* szPath, PlatformFileFacts* pFacts) {
  *pFacts = PlatformFileFacts{kFileAbsent, 0, 0, 0};
  if (!szPath || !szPath[0]) return pFacts->iKind;
  const std::string path = DiskPath(szPath);
  struct stat st;
  if (stat(path.c_str(), &st) != 0) {
    pFacts->iKind = errno == ENOENT ? kFileAbsent : kFileUnreachable;
    return pFacts->iKind;
  }
  if (!S_ISREG(st.st_mode)) {
    pFacts->iKind = kFileOther;
    return pFacts->iKind;
  }
  pFacts->iKind = kFileRegular;
  pFacts->nLinks = static_cast<unsigned>(st.st_nlink);
  // Opening tells what the permission bits, the ACLs and the process's
  // rights together allow.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK);
  if (fd >= 0) {
    pFacts->bReadable = 1;
    pFacts->nBytes = static_cast<unsigned long long>(st.st_size);
    close(fd);
  }
  return pFacts->iKind;
}

int PlatformResolveLinks(const char* szPath, char* szOut, size_t cbOut) {
  if (cbOut) szOut[0] = '\0';
  if (!szPath || !szPath[0]) return 0;
  std::string path = DiskPath(szPath);
  // As many links as the system itself follows before it calls it a loop.
  for (int i = 0; i < 40; ++i) {
    struct stat st;
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
      std::string sCp932;
      if (!Utf8ToCp932Strict(path, &sCp932)) return 0;  // a name the engine cannot hold
      return CopyOut(sCp932, szOut, cbOut);
    }
    char buf[4096];
    const ssize_t n = readlink(path.c_str(), buf, sizeof buf - 1);
    if (n <= 0) return 0;
    buf[n] = '\0';
    if (buf[0] == '/') {
      path = buf;
    } else {
      const size_t iSlash = path.rfind('/');
      path = (iSlash == std::string::npos ? std::string() : path.substr(0, iSlash + 1)) + buf;
    }
  }
  return 0;
}

FILE* PlatformCreateFile(const char* szPath, const char* szLikePath, int bExclusive) {
  if (!szPath || !szPath[0]) return nullptr;
  FileStep();
  const int fd = open(DiskPath(szPath).c_str(), O_WRONLY | O_CREAT | (bExclusive ? O_EXCL : O_TRUNC), 0666);
  if (fd < 0) return nullptr;
  struct stat like;
  if (szLikePath && stat(DiskPath(szLikePath).c_str(), &like) == 0 && S_ISREG(like.st_mode)) {
    // The owner first: changing it may clear the set-id bits, which the
    // mode then restores.  Only root may give a file away; others keep
    // their own files as they were.
    if (fchown(fd, like.st_uid, like.st_gid) != 0) { /* not allowed: the writer stays the owner */ }
    fchmod(fd, like.st_mode & 07777);
  }
  FILE* f = fdopen(fd, "wb");
  if (!f) close(fd);
  return f;
}

int PlatformReplaceFile(const char* szNewPath, const char* szPath) {
  FileStep();
  if (Os().bFailReplace) {
    Os().bFailReplace = false;
    return 0;
  }
  const std::string target = DiskPath(szPath);
  if (rename(DiskPath(szNewPath).c_str(), target.c_str()) != 0) return 0;
  SyncFolderOf(target);
  return 1;
}

int PlatformDeleteFile(const char* szPath) {
  if (!szPath || !szPath[0]) return 0;
  FileStep();
  return unlink(DiskPath(szPath).c_str()) == 0 ? 1 : 0;
}

// --- Folders and screen -----------------------------------------------------

int PlatformCurrentDirectory(char* szDir, size_t cbDir) {
  const OsState& s = Os();
  return CopyOut(s.bDirsFixed[0] ? s.dirs[0] : RealCurrentDirectory(), szDir, cbDir);
}

int PlatformModuleDirectory(char* szDir, size_t cbDir) {
  const OsState& s = Os();
  return CopyOut(s.bDirsFixed[1] ? s.dirs[1] : RealModuleDirectory(), szDir, cbDir);
}

int PlatformFullPath(const char* szPath, char* szOut, size_t cbOut) {
  if (szPath[0] == '/') return CopyOut(szPath, szOut, cbOut);
  char szDir[4096];
  if (!PlatformCurrentDirectory(szDir, sizeof szDir)) return CopyOut(std::string(), szOut, cbOut);
  return CopyOut(std::string(szDir) + "/" + szPath, szOut, cbOut);
}

int PlatformWindowsDirectory(char* szDir, size_t cbDir) {
  const OsState& s = Os();
  return CopyOut(s.bDirsFixed[2] ? s.dirs[2] : std::string(), szDir, cbDir);
}

void PlatformScreenSize(int* piWidth, int* piHeight) {
  *piWidth = Os().iScreenWidth;
  *piHeight = Os().iScreenHeight;
}

// --- Registry -----------------------------------------------------------------

int PlatformRegCreateKey(const char* szSubKey, RegKeyRef* phKey) {
  *phKey = nullptr;
  if (!szSubKey || !szSubKey[0]) return 0;
  OsState& s = Os();
  const std::string sKey = szSubKey;
  if (std::find(s.denied.begin(), s.denied.end(), Lower(sKey)) != s.denied.end()) return 0;
  // The key and every missing parent come into being.
  for (std::string k = sKey; !k.empty(); k = ParentKey(k)) {
    RegNode& node = s.registry[Lower(k)];
    if (node.name.empty()) node.name = k;
  }
  *phKey = new std::string(Lower(sKey));
  return 1;
}

int PlatformRegOpenKey(const char* szSubKey, RegKeyRef* phKey) {
  *phKey = nullptr;
  if (!szSubKey || !Os().registry.count(Lower(szSubKey))) return 0;
  *phKey = new std::string(Lower(szSubKey));
  return 1;
}

int PlatformRegSetDefault(RegKeyRef hKey, const char* szValue) {
  RegNode* pNode = NodeOf(hKey);
  if (!pNode) return 0;
  pNode->bHasDefault = true;
  pNode->value = szValue;
  return 1;
}

int PlatformRegQueryDefault(RegKeyRef hKey, char* szValue, size_t cbValue) {
  RegNode* pNode = NodeOf(hKey);
  if (cbValue) szValue[0] = '\0';
  if (!pNode || !pNode->bHasDefault || pNode->value.size() >= cbValue) return 0;
  memcpy(szValue, pNode->value.c_str(), pNode->value.size() + 1);
  return 1;
}

int PlatformRegDeleteDefault(RegKeyRef hKey) {
  RegNode* pNode = NodeOf(hKey);
  if (!pNode || !pNode->bHasDefault) return 0;
  pNode->bHasDefault = false;
  pNode->value.clear();
  return 1;
}

int PlatformRegFlushKey(RegKeyRef hKey) { return NodeOf(hKey) ? 1 : 0; }

void PlatformRegCloseKey(RegKeyRef hKey) { delete static_cast<std::string*>(hKey); }

int PlatformRegDeleteKey(const char* szSubKey) {
  if (!szSubKey) return 0;
  const std::string sLower = Lower(szSubKey);
  auto it = Os().registry.find(sLower);
  if (it == Os().registry.end() || HasSubkeys(sLower)) return 0;
  Os().registry.erase(it);
  return 1;
}

// --- File dialogs and menu ------------------------------------------------------

int PlatformFileDialog(FileDialogKind kind, FileDialogSettings* p) {
  OsState& s = Os();
  ShownFileDialog shown{kind, p->hOwner, "", p->nFilterIndex, p->dwFlags,
                        p->szDefExt ? p->szDefExt : "", p->szFile ? p->szFile : "",
                        p->cbFile, p->cbFileTitle};
  for (const char* q = p->szFilter; q && *q; q += strlen(q) + 1) {
    shown.filter += (shown.filter.empty() ? "" : "|") + std::string(q);
  }
  s.dialogs.push_back(shown);
  if (s.dialogAnswers.empty()) return 0;
  const auto answer = s.dialogAnswers.front();
  s.dialogAnswers.pop_front();
  if (!answer.first || answer.second.size() >= p->cbFile) return 0;
  memcpy(p->szFile, answer.second.c_str(), answer.second.size() + 1);
  if (p->szFileTitle && p->cbFileTitle) {
    const size_t i = answer.second.find_last_of("/\\");
    const std::string title = i == std::string::npos ? answer.second : answer.second.substr(i + 1);
    snprintf(p->szFileTitle, p->cbFileTitle, "%s", title.c_str());
  }
  return 1;
}

void PlatformRebuildRecentMenu(MenuRef, int iFirstCommand, int nItems, const char* const* pszTexts) {
  OsState& s = Os();
  s.menuItems.clear();
  for (int i = 0; i < nItems; ++i) s.menuItems.push_back(pszTexts[i]);
  s.iMenuFirst = iFirstCommand;
  s.iMenuDefault = iFirstCommand;
  ++s.nMenuRebuilds;
}

// --- Controls -------------------------------------------------------------------

void NativeSetDirectories(const char* szCurrent, const char* szModule, const char* szWindows) {
  const char* const dirs[3] = {szCurrent, szModule, szWindows};
  for (int i = 0; i < 3; ++i) {
    Os().bDirsFixed[i] = dirs[i] != nullptr;
    Os().dirs[i] = dirs[i] ? dirs[i] : "";
  }
}

void NativeSetScreenSize(int iWidth, int iHeight) {
  Os().iScreenWidth = iWidth;
  Os().iScreenHeight = iHeight;
}

void NativeFailWritesAfter(long nBytes) { Os().nWriteLimit = nBytes; }
void NativeFailNextReplace() { Os().bFailReplace = true; }

void NativeCrashBeforeFileStep(long nStep) {
  Os().nFileSteps = 0;
  Os().nCrashStep = nStep;
}
long NativeFileSteps() { return Os().nFileSteps; }

void NativeRegistryClear() {
  Os().registry.clear();
  Os().denied.clear();
}

std::vector<NativeRegEntry> NativeRegistryEntries() {
  std::vector<NativeRegEntry> out;
  for (const auto& kv : Os().registry) out.push_back({kv.second.name, kv.second.bHasDefault, kv.second.value});
  return out;
}

bool NativeRegistryHasKey(const char* szKey) { return Os().registry.count(Lower(szKey)) != 0; }

bool NativeRegistryDefault(const char* szKey, std::string* pValue) {
  auto it = Os().registry.find(Lower(szKey));
  if (it == Os().registry.end() || !it->second.bHasDefault) return false;
  *pValue = it->second.value;
  return true;
}

void NativeRegistryDenyCreate(const char* szKey) {
  if (szKey) Os().denied.push_back(Lower(szKey));
}

void NativeQueueFileDialogAnswer(const char* szPath) {
  Os().dialogAnswers.emplace_back(szPath != nullptr, szPath ? szPath : "");
}
const std::vector<ShownFileDialog>& NativeShownFileDialogs() { return Os().dialogs; }
void NativeClearFileDialogs() {
  Os().dialogs.clear();
  Os().dialogAnswers.clear();
}

const std::vector<std::string>& NativeRecentMenuItems() { return Os().menuItems; }
int NativeRecentMenuFirstCommand() { return Os().iMenuFirst; }
int NativeRecentMenuDefault() { return Os().iMenuDefault; }
int NativeRecentMenuRebuilds() { return Os().nMenuRebuilds; }
void NativeClearRecentMenu() {
  Os().menuItems.clear();
  Os().iMenuFirst = Os().iMenuDefault = Os().nMenuRebuilds = 0;
}
