// Numbers typed into the edits of the dialogs.
#include <cmath>
#include <cstdlib>

#include "entry/entry_rules.h"

namespace {

const char* SkipBlanks(const char* p) {
  while (*p == ' ' || *p == '\t') ++p;
  return p;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the decimal number at p: sign, digits with an optional point,
// an optional exponent; 0 when p holds none.  This is the form the user
// types; strtod alone would also take hexadecimal, "inf" and "nan".
int DecimalLength(const char* p) {
  int i = 0;
  if (p[i] == '+' || p[i] == '-') ++i;
  int nDigits = 0;
  while (IsDigit(p[i])) ++i, ++nDigits;
  if (p[i] == '.') {
    ++i;
    while (IsDigit(p[i])) ++i, ++nDigits;
  }
  if (nDigits == 0) return 0;
  if (p[i] == 'e' || p[i] == 'E') {
    int j = i + 1;
    if (p[j] == '+' || p[j] == '-') ++j;
    if (IsDigit(p[j])) {
      while (IsDigit(p[j])) ++j;
      i = j;
    }
  }
  return i;
}

}  // namespace

int ParseDecimalText(const char* szText, double* pd) {
  if (!szText) return 0;
  const char* p = SkipBlanks(szText);
  const int n = DecimalLength(p);
  if (n == 0 || *SkipBlanks(p + n) != '\0') return 0;
  const double d = strtod(p, nullptr);
  if (!std::isfinite(d)) return 0;
  *pd = d;
  return 1;
}

int ParseIntegerText(const char* szText, int32_t* pi) {
  if (!szText) return 0;
  const char* p = SkipBlanks(szText);
  int i = 0;
  if (p[i] == '+' || p[i] == '-') ++i;
  const int iFirstDigit = i;
  while (IsDigit(p[i])) ++i;
  const int nDigits = i - iFirstDigit;
  // Nine digits always fit 32 bits.
  if (nDigits == 0 || nDigits > 9 || *SkipBlanks(p + i) != '\0') return 0;
  *pi = static_cast<int32_t>(strtol(p, nullptr, 10));
  return 1;
}

double DecimalPrefix(const char* szText) {
  if (!szText) return 0.0;
  const char* p = SkipBlanks(szText);
  if (DecimalLength(p) == 0) return 0.0;
  return strtod(p, nullptr);
}
