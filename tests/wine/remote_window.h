// Helpers of the Wine tests that work on the windows of another process:
// texts read through messages, control messages whose answers need memory
// in the other process, real key presses, boxes found by their texts.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "wine_common.h"

// The text of a window of another process, asked with WM_GETTEXT (edit
// controls keep their text to themselves) in UTF-16, as CP932.
inline std::string SentText(HWND hWnd) {
  if (!hWnd) return "<no window>";
  static wchar_t wsz[16384];
  DWORD_PTR n = 0;
  if (!SendMessageTimeoutW(hWnd, WM_GETTEXT, sizeof wsz / sizeof wsz[0], reinterpret_cast<LPARAM>(wsz), SMTO_NORMAL,
                           5000, &n)) {
    return "<no answer>";
  }
  return Cp932(wsz, static_cast<int>(n < sizeof wsz / sizeof wsz[0] ? n : 0));
}

inline std::string ItemText(HWND hDlg, int iId) { return SentText(GetDlgItem(hDlg, iId)); }

// A message whose lParam points to memory the other process fills: the
// memory is lent from that process and read back afterwards.
class RemoteBuffer {
 public:
  RemoteBuffer(HANDLE hProcess, size_t cb) : m_hProcess(hProcess), m_cb(cb) {
    m_p = VirtualAllocEx(hProcess, nullptr, cb, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  }
  ~RemoteBuffer() {
    if (m_p) VirtualFreeEx(m_hProcess, m_p, 0, MEM_RELEASE);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;
  LPARAM Address() const { return reinterpret_cast<LPARAM>(m_p); }
  bool Write(const void* pData, size_t cb) {
    SIZE_T n = 0;
    return m_p && WriteProcessMemory(m_hProcess, m_p, pData, cb, &n) && n == cb;
  }
  std::vector<char> Read() const {
    std::vector<char> v(m_cb);
    SIZE_T n = 0;
    if (!m_p || !ReadProcessMemory(m_hProcess, m_p, v.data(), m_cb, &n)) v.clear();
    return v;
  }

 private:
  HANDLE m_hProcess;
  size_t m_cb;
  void* m_p = nullptr;
};

// The text of a status-bar part.
inline std::string StatusPartText(HANDLE hProcess, HWND hStatus, int iPart) {
  RemoteBuffer buf(hProcess, 2048);
  DWORD_PTR r = 0;
  SendMessageTimeoutW(hStatus, SB_GETTEXTW, iPart, buf.Address(), SMTO_NORMAL, 5000, &r);
  const std::vector<char> v = buf.Read();
  if (v.empty()) return "<unreadable>";
  const wchar_t* w = reinterpret_cast<const wchar_t*>(v.data());
  return Cp932(w, static_cast<int>(wcsnlen(w, v.size() / sizeof(wchar_t))));
}

// The right edges of the status bar's parts.
inline std::vector<int> StatusEdges(HANDLE hProcess, HWND hStatus) {
  RemoteBuffer buf(hProcess, 16 * sizeof(int));
  DWORD_PTR n = 0;
  SendMessageTimeoutA(hStatus, SB_GETPARTS, 16, buf.Address(), SMTO_NORMAL, 5000, &n);
  const std::vector<char> v = buf.Read();
  std::vector<int> edges(n);
  if (!v.empty()) memcpy(edges.data(), v.data(), n * sizeof(int));
  return edges;
}

// A tool-bar button's rectangle in the tool bar's client coordinates.
inline RECT ToolbarButtonRect(HANDLE hProcess, HWND hBar, int iCommand) {
  RemoteBuffer buf(hProcess, sizeof(RECT));
  DWORD_PTR r = 0;
  SendMessageTimeoutA(hBar, TB_GETRECT, iCommand, buf.Address(), SMTO_NORMAL, 5000, &r);
  RECT rc{};
  const std::vector<char> v = buf.Read();
  if (v.size() == sizeof rc) memcpy(&rc, v.data(), sizeof rc);
  return rc;
}

// The window with the keyboard focus in another thread.
inline HWND FocusOf(HWND hWindowOfThread) {
  GUITHREADINFO gti{};
  gti.cbSize = sizeof gti;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(hWindowOfThread, nullptr), &gti)) return nullptr;
  return gti.hwndFocus;
}

// A real key press through the system's input, as a user types it.
inline void SendKey(WORD vk, bool bUp) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, 0));
  const bool bExtended = vk == VK_LEFT || vk == VK_RIGHT || vk == VK_UP || vk == VK_DOWN || vk == VK_INSERT ||
                         vk == VK_DELETE || vk == VK_APPS || vk == VK_HOME || vk == VK_END;
  in.ki.dwFlags = (bUp ? KEYEVENTF_KEYUP : 0) | (bExtended ? KEYEVENTF_EXTENDEDKEY : 0);
  SendInput(1, &in, sizeof in);
}

// A real mouse move to a screen point, through the system's input.
inline void MoveMouse(int x, int y) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = static_cast<LONG>((x * 65535LL) / (GetSystemMetrics(SM_CXSCREEN) - 1));
  in.mi.dy = static_cast<LONG>((y * 65535LL) / (GetSystemMetrics(SM_CYSCREEN) - 1));
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &in, sizeof in);
}

// Lets the other program's thread take what was sent to it.
inline void Settle(HWND hWnd, DWORD dwMs = 250) {
  Sleep(dwMs);
  DWORD_PTR r = 0;
  SendMessageTimeoutA(hWnd, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &r);
  Sleep(100);
}

inline void PressKey(HWND hSettle, WORD vk) {
  SendKey(vk, false);
  SendKey(vk, true);
  Settle(hSettle);
}

// The visible dialog boxes (class #32770) of a process, in z-order.
struct DialogQuery {
  DWORD pid;
  std::vector<HWND> found;
};
inline BOOL CALLBACK CollectDialog(HWND h, LPARAM l) {
  auto* p = reinterpret_cast<DialogQuery*>(l);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  char sz[32];
  if (pid == p->pid && IsWindowVisible(h) && GetClassNameA(h, sz, sizeof sz) && strcmp(sz, "#32770") == 0) {
    p->found.push_back(h);
  }
  return TRUE;
}
inline std::vector<HWND> ProcessDialogs(DWORD dwProcessId) {
  DialogQuery q{dwProcessId, {}};
  EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&q));
  return q.found;
}

// Waits for a dialog box of the process that matches; null after the time.
inline HWND WaitForDialog(DWORD dwProcessId, const std::function<bool(HWND)>& match, DWORD dwTimeoutMs) {
  const DWORD dwStart = GetTickCount();
  for (;;) {
    for (HWND h : ProcessDialogs(dwProcessId)) {
      if (match(h)) return h;
    }
    if (GetTickCount() - dwStart >= dwTimeoutMs) return nullptr;
    Sleep(50);
  }
}

// The text of a system message box (its static 0xFFFF).
inline std::string MessageBoxText(HWND hBox) { return ItemText(hBox, 0xFFFF); }

// Presses a button of a dialog box of another process.
inline void ClickButton(HWND hDlg, int iId) {
  PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(iId, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(hDlg, iId)));
}

// Waits until a window is gone.
inline bool WaitGone(HWND hWnd, DWORD dwTimeoutMs) {
  const DWORD dwStart = GetTickCount();
  while (IsWindow(hWnd) && IsWindowVisible(hWnd)) {
    if (GetTickCount() - dwStart >= dwTimeoutMs) return false;
    Sleep(50);
  }
  return true;
}
