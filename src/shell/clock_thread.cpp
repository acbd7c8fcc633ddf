// The clock thread of the status bar.
#include "shell/clock_thread.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>

#include "shell/logic/shell_logic.h"
#include "shell/shell.h"

namespace {

constexpr DWORD kPassMs = 200;      // one pass of the clock
constexpr DWORD kStopWaitMs = 1000; // how long the exit waits for the thread
constexpr LONGLONG kTicksPerSecond = 10000000;  // FILETIME units

// Offset of the test clock from the computer's clock, in FILETIME units.
LONGLONG g_llTestOffset = 0;

LONGLONG ToTicks(const SYSTEMTIME& st) {
  FILETIME ft;
  if (!SystemTimeToFileTime(&st, &ft)) return 0;
  return static_cast<LONGLONG>(ULARGE_INTEGER{{ft.dwLowDateTime, ft.dwHighDateTime}}.QuadPart);
}

// Reads HOROMAP_TEST_CLOCK once, when the thread starts (test processes
// only).
void ReadTestClock() {
  if (!TestHooksEnabled()) return;
  const char* sz = getenv("HOROMAP_TEST_CLOCK");
  if (!sz || !sz[0]) return;
  SYSTEMTIME now, want;
  GetLocalTime(&now);
  want = now;
  unsigned y, mo, d, h, mi, s;
  if (sscanf(sz, "%u-%u-%uT%u:%u:%u", &y, &mo, &d, &h, &mi, &s) == 6) {
    want.wYear = static_cast<WORD>(y);
    want.wMonth = static_cast<WORD>(mo);
    want.wDay = static_cast<WORD>(d);
  } else if (sscanf(sz, "%u:%u:%u", &h, &mi, &s) != 3) {
    return;
  }
  want.wHour = static_cast<WORD>(h);
  want.wMinute = static_cast<WORD>(mi);
  want.wSecond = static_cast<WORD>(s);
  const LONGLONG llWant = ToTicks(want);
  if (llWant != 0) g_llTestOffset = llWant - ToTicks(now);
}

// The clock's local time: the computer's, moved by the test offset.
void ClockNow(LocalClock* p) {
  SYSTEMTIME st;
  GetLocalTime(&st);
  if (g_llTestOffset != 0) {
    ULARGE_INTEGER u;
    u.QuadPart = static_cast<ULONGLONG>(ToTicks(st) + g_llTestOffset);
    const FILETIME ft{u.LowPart, u.HighPart};
    FileTimeToSystemTime(&ft, &st);
  }
  *p = LocalClock{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}

void SetStatusPart(HWND hStatus, int iPart, const char* szText) {
  const WPARAM wPart = iPart == kStatusMessage ? (iPart | SBT_NOBORDERS) : iPart;
  SendMessageA(hStatus, SB_SETTEXTA, wPart, reinterpret_cast<LPARAM>(szText));
}

// Stores the day shown unless the UI thread changed the mark meanwhile (a
// stop mark set between the read and the store must not be overwritten).
bool StoreShownDay(AppState* lpAb, uint16_t wSeen, uint16_t wDay) {
  return __atomic_compare_exchange_n(&lpAb->wClockDay, &wSeen, wDay, false, __ATOMIC_ACQ_REL,
                                     __ATOMIC_ACQUIRE);
}

DWORD WINAPI ClockThread(LPVOID pArg) {
  AppState* lpAb = static_cast<AppState*>(pArg);
  // The windows were made before the thread; they do not change while it runs.
  const HWND hWnd = lpAb->hWnd, hStatus = lpAb->hStatus;
  ClockMemory mem{-1, false, false};
  DWORD dwClassBefore = NORMAL_PRIORITY_CLASS;
  for (;;) {
    const uint16_t wDay = ClockDayLoad(lpAb);
    if (wDay == kClockDayStop) break;
    LocalClock now;
    ClockNow(&now);
    ClockPass pass;
    ClockStep(now, wDay, &mem, &pass);
    if (pass.bTime) SetStatusPart(hStatus, kStatusTime, pass.szTime);
    if (pass.iPriority == kClockPriorityRaise) {
      dwClassBefore = GetPriorityClass(GetCurrentProcess());
      SetPriorityClass(GetCurrentProcess(), REALTIME_PRIORITY_CLASS);
      SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
    }
    if (pass.bAnnounce) SetStatusPart(hStatus, kStatusMessage, pass.szAnnounce);
    if (pass.iPriority == kClockPriorityDrop) {
      SetPriorityClass(GetCurrentProcess(), dwClassBefore);
      SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL);
    }
    if (pass.bStatusBack) SendMessageA(hWnd, kMsgStatusBack, 0, 0);
    if (pass.bDate && StoreShownDay(lpAb, wDay, pass.wDay)) SetStatusPart(hStatus, kStatusDate, pass.szDate);
    Sleep(kPassMs);
  }
  if (mem.bRaised) SetPriorityClass(GetCurrentProcess(), dwClassBefore);
  return 0;
}

}  // namespace

int StartClockThread(AppState* lpAb) {
  ReadTestClock();
  ClockDayStore(lpAb, kClockDayRedraw);
  lpAb->hClockThread = CreateThread(nullptr, 0, ClockThread, lpAb, 0, &lpAb->dwClockThreadId);
  return lpAb->hClockThread ? 1 : 0;
}

void StopClockThread(AppState* lpAb) {
  ClockDayStore(lpAb, kClockDayStop);
  if (!lpAb->hClockThread) return;
  const DWORD dwStart = GetTickCount();
  for (;;) {
    const DWORD dwElapsed = GetTickCount() - dwStart;
    if (dwElapsed >= kStopWaitMs) break;
    const DWORD r =
        MsgWaitForMultipleObjects(1, &lpAb->hClockThread, FALSE, kStopWaitMs - dwElapsed, QS_SENDMESSAGE);
    if (r != WAIT_OBJECT_0 + 1) break;  // the thread ended, or the time is up
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);  // delivers the clock's sends
  }
  CloseHandle(lpAb->hClockThread);
  lpAb->hClockThread = nullptr;
}

void RequestClockDate(AppState* lpAb) {
  uint16_t w = ClockDayLoad(lpAb);
  while (w != kClockDayStop &&
         !__atomic_compare_exchange_n(&lpAb->wClockDay, &w, kClockDayRedraw, false, __ATOMIC_ACQ_REL,
                                      __ATOMIC_ACQUIRE)) {
  }
}
