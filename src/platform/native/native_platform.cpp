// Native platform layer: boxes are recorded (and printed on stderr for the
// command-line tool) and answered from a script; the clock is the system
// clock read as JST, or a fixed moment set by a test.
#include <iconv.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <deque>

#include "platform/native/native_control.h"

namespace {

struct NativeState {
  NativeBoxMode mode = kNativeBoxesRecord;
  std::vector<ShownBox> shown;
  std::deque<int> answers;
  bool bFailNextAlloc = false;
  bool bClockFixed = false;
  LocalClock clock{};
  WindowRef hMain = nullptr;
  bool bMainDestroyed = false;
};

NativeState& State() {
  static NativeState state;
  return state;
}

int DefaultAnswer(unsigned uStyle) {
  switch (uStyle & kMbButtonMask) {
    case kMbOk:
    case kMbOkCancel: return kIdOk;
    case kMbAbortRetryIgnore: return kIdIgnore;
    case kMbYesNoCancel:
    case kMbYesNo: return kIdYes;
    case kMbRetryCancel: return kIdCancel;
    default: return kIdOk;
  }
}

int NextAnswer(int iDefault) {
  NativeState& s = State();
  if (s.answers.empty()) return iDefault;
  const int iAnswer = s.answers.front();
  s.answers.pop_front();
  return iAnswer;
}

void PrintBox(const ShownBox& box) {
  if (State().mode != kNativeBoxesStderr) return;
  std::string out = "[" + Cp932ToUtf8(box.title) + "] " + Cp932ToUtf8(box.text);
  // A text taken from a file (a name) never steers the terminal.
  for (char& c : out) {
    const unsigned char u = static_cast<unsigned char>(c);
    if ((u < 0x20 && c != '\n' && c != '\t') || u == 0x7F) c = '?';
  }
  out += "\n";
  fputs(out.c_str(), stderr);
}

// Converts between encodings.  bStrict: false at the first character that
// has no form in the target (or is not valid in the source); otherwise such
// a byte becomes "?" and the conversion goes on after it.
bool Convert(const std::string& s, const char* to, const char* from, bool bStrict, std::string* pOut) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    *pOut = s;
    return !bStrict;
  }
  std::string out;
  char buf[256];
  char* in = const_cast<char*>(s.data());
  size_t inLeft = s.size();
  bool bOk = true;
  while (inLeft > 0) {
    char* o = buf;
    size_t oLeft = sizeof buf;
    const size_t r = iconv(cd, &in, &inLeft, &o, &oLeft);
    out.append(buf, o - buf);
    if (r == static_cast<size_t>(-1) && errno != E2BIG) {
      if (bStrict) {
        bOk = false;
        break;
      }
      out += '?';
      ++in;
      --inLeft;
    }
  }
  iconv_close(cd);
  if (bOk) *pOut = out;
  return bOk;
}

std::string Convert(const std::string& s, const char* to, const char* from) {
  std::string out;
  Convert(s, to, from, false, &out);
  return out;
}

}  // namespace

int PlatformMessageBox(WindowRef hOwner, const char* szText, const char* szTitle, unsigned uStyle) {
  ShownBox box{"MessageBox", hOwner, szTitle ? szTitle : "", szText ? szText : "", {}, uStyle, 0};
  box.answer = NextAnswer(DefaultAnswer(uStyle));
  State().shown.push_back(box);
  PrintBox(box);
  return box.answer;
}

int PlatformAppBox(AppBoxKind kind, WindowRef hOwner, const AppBoxTexts& texts) {
  NativeState& s = State();
  if (s.bFailNextAlloc) {
    s.bFailNextAlloc = false;
    return kAppBoxNoTextBlock;
  }
  static const char* const kKinds[3] = {"AppMsgBox", "AppOkCancelMsg", "AppOkMsg"};
  ShownBox box{kKinds[kind], hOwner, "ΩΡΟΜΙΡΑ", "", {}, 0, 0};
  for (int i = 0; i < 4; ++i) {
    box.lines[i] = texts.sz[i];
    box.text += (i ? "\n" : "") + box.lines[i];
  }
  box.answer = NextAnswer(kIdYes);  // every own box has button 6 first
  s.shown.push_back(box);
  PrintBox(box);
  return box.answer;
}

WindowRef PlatformMainWindow() { return State().hMain; }

void PlatformDestroyMainWindow() { State().bMainDestroyed = true; }

void PlatformShowTitlePage(const char* const* pszLines, int nLines, int iMilliseconds) {
  // Recorded like a box; nobody waits natively.
  ShownBox box{"TitlePage", nullptr, "", "", {}, static_cast<unsigned>(iMilliseconds), 0};
  for (int i = 0; i < nLines && i < 3; ++i) {
    box.lines[i] = pszLines[i] ? pszLines[i] : "";
    box.text += (i ? "\n" : "") + box.lines[i];
  }
  State().shown.push_back(box);
}

void PlatformLocalTime(LocalClock* pClock) {
  NativeState& s = State();
  if (s.bClockFixed) {
    *pClock = s.clock;
    return;
  }
  using namespace std::chrono;
  const auto now = system_clock::now();
  const auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count();
  // The program's zone is fixed: JST = UT + 9 h, whatever the machine's zone.
  const time_t t = static_cast<time_t>(ms / 1000) + 9 * 3600;
  struct tm tmJst;
  gmtime_r(&t, &tmJst);
  *pClock = LocalClock{tmJst.tm_year + 1900, tmJst.tm_mon + 1, tmJst.tm_mday, tmJst.tm_hour,
                       tmJst.tm_min,         tmJst.tm_sec,     static_cast<int>(ms % 1000)};
}

void NativeSetBoxMode(NativeBoxMode mode) { State().mode = mode; }
const std::vector<ShownBox>& NativeShownBoxes() { return State().shown; }
void NativeClearBoxes() { State().shown.clear(); }
void NativeQueueAnswer(int iAnswer) { State().answers.push_back(iAnswer); }
void NativeClearAnswers() { State().answers.clear(); }
void NativeFailNextAppBoxAlloc() { State().bFailNextAlloc = true; }

void NativeSetClock(const LocalClock* pClock) {
  NativeState& s = State();
  s.bClockFixed = pClock != nullptr;
  if (pClock) s.clock = *pClock;
}

void NativeSetMainWindow(WindowRef hWnd) {
  State().hMain = hWnd;
  State().bMainDestroyed = false;
}
bool NativeMainWindowDestroyed() { return State().bMainDestroyed; }

std::string Cp932ToUtf8(const std::string& s) { return Convert(s, "UTF-8", "CP932"); }
std::string Utf8ToCp932(const std::string& s) { return Convert(s, "CP932", "UTF-8"); }
bool Utf8ToCp932Strict(const std::string& s, std::string* pOut) { return Convert(s, "CP932", "UTF-8", true, pOut); }
