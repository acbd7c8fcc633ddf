// Helpers of the ephemeris tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/native/native_control.h"

// True when dValue, printed with as many decimals as szPrinted has, reads
// szPrinted: the check values of the theories are given to their printed
// digits.
inline ::testing::AssertionResult Printed(double dValue, const char* szPrinted) {
  const char* pDot = strchr(szPrinted, '.');
  const int iDecimals = pDot ? static_cast<int>(strlen(pDot + 1)) : 0;
  char sz[64];
  snprintf(sz, sizeof sz, "%.*f", iDecimals, dValue);
  if (strcmp(sz, szPrinted) == 0) return ::testing::AssertionSuccess();
  snprintf(sz, sizeof sz, "%.*f", iDecimals + 4, dValue);
  return ::testing::AssertionFailure() << sz << " does not read " << szPrinted;
}

// The internal-error dialog shows the place on line 2 and the kind on line 3.
inline ::testing::AssertionResult IsPlaceKindBox(const ShownBox& box, const std::string& sPlace,
                                                 const std::string& sKind) {
  if (box.kind == "AppOkMsg" && box.lines[2] == sPlace &&
      box.lines[3] == std::string("エラーの種類: ") + sKind) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "box " << box.kind << " place '" << box.lines[2]
                                       << "' kind line '" << box.lines[3] << "'";
}

// The error box: title "ΩΡΟΜΙΡΑ", error icon, the text.
inline ::testing::AssertionResult IsErrorBox(const ShownBox& box, const std::string& sText) {
  if (box.kind == "MessageBox" && box.title == "ΩΡΟΜΙΡΑ" && box.text == sText &&
      (box.style & 0xF0u) == 0x10u) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "box " << box.kind << " title '" << box.title << "' text '"
                                       << box.text << "'";
}
