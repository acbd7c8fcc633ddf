// Shift-JIS texts through the W functions of Windows.
#include "platform/win32/win32_text.h"

#include <cstring>
#include <vector>

namespace {

constexpr UINT kSjis = 932;

}  // namespace

const char kUnusableNameLine1[] = "この名前には、ホロミラが扱えない文字が";
const char kUnusableNameLine2[] = "含まれています (シフトJISにない文字)";

std::wstring WideFromSjis(const char* sz, int n) {
  if (!sz) return std::wstring();
  if (n < 0) n = static_cast<int>(strlen(sz));
  if (n == 0) return std::wstring();
  const int nWide = MultiByteToWideChar(kSjis, 0, sz, n, nullptr, 0);
  std::wstring w(static_cast<size_t>(nWide > 0 ? nWide : 0), L'\0');
  if (nWide > 0) MultiByteToWideChar(kSjis, 0, sz, n, &w[0], nWide);
  return w;
}

bool SjisFromWide(const wchar_t* wsz, std::string* pOut, int n) {
  pOut->clear();
  if (!wsz) return true;
  if (n < 0) n = static_cast<int>(wcslen(wsz));
  if (n == 0) return true;
  BOOL bDefaultUsed = FALSE;
  const int nBytes = WideCharToMultiByte(kSjis, WC_NO_BEST_FIT_CHARS, wsz, n, nullptr, 0, "?", &bDefaultUsed);
  if (nBytes <= 0) return false;
  pOut->assign(static_cast<size_t>(nBytes), '\0');
  bDefaultUsed = FALSE;
  WideCharToMultiByte(kSjis, WC_NO_BEST_FIT_CHARS, wsz, n, &(*pOut)[0], nBytes, "?", &bDefaultUsed);
  return !bDefaultUsed;
}

std::string WindowTextSjis(HWND hWnd) {
  const int n = GetWindowTextLengthW(hWnd);
  std::vector<wchar_t> w(static_cast<size_t>(n > 0 ? n : 0) + 1, L'\0');
  const int nGot = GetWindowTextW(hWnd, w.data(), static_cast<int>(w.size()));
  std::string s;
  SjisFromWide(w.data(), &s, nGot > 0 ? nGot : 0);
  return s;
}

BOOL SetWindowTextSjis(HWND hWnd, const char* szText) { return SetWindowTextW(hWnd, WideFromSjis(szText).c_str()); }

BOOL SetDlgItemTextSjis(HWND hDlg, int iId, const char* szText) {
  return SetDlgItemTextW(hDlg, iId, WideFromSjis(szText).c_str());
}

int MessageBoxSjis(HWND hOwner, const char* szText, const char* szTitle, UINT uStyle) {
  return MessageBoxW(hOwner, WideFromSjis(szText).c_str(), WideFromSjis(szTitle).c_str(), uStyle);
}

LRESULT AddListStringSjis(HWND hList, const char* szText, int iIndex) {
  const std::wstring w = WideFromSjis(szText);
  return iIndex < 0 ? SendMessageW(hList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(w.c_str()))
                    : SendMessageW(hList, LB_INSERTSTRING, static_cast<WPARAM>(iIndex), reinterpret_cast<LPARAM>(w.c_str()));
}

LRESULT AddComboStringSjis(HWND hCombo, const char* szText) {
  return SendMessageW(hCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromSjis(szText).c_str()));
}

BOOL AppendMenuSjis(HMENU hMenu, UINT uFlags, UINT_PTR uId, const char* szText) {
  return AppendMenuW(hMenu, uFlags, uId, szText ? WideFromSjis(szText).c_str() : nullptr);
}

std::wstring WideFilterFromSjis(const char* szFilter) {
  std::wstring w;
  for (const char* p = szFilter; p && *p; p += strlen(p) + 1) (w += WideFromSjis(p)) += L'\0';
  return w;
}

bool PathFromWide(const wchar_t* wszPath, char* szOut, size_t cbOut) {
  if (cbOut == 0) return false;
  szOut[0] = '\0';
  std::string s;
  if (!SjisFromWide(wszPath, &s) || s.size() >= cbOut) return false;
  memcpy(szOut, s.c_str(), s.size() + 1);
  return true;
}
