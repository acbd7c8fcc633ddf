// The text forms horomira reads and prints: whole and decimal numbers and
// JST moments.  Numbers are read strictly: decimal digits only (no blanks,
// no hexadecimal, no exponent), so that what a script passes by mistake is
// refused instead of read as something else.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cli/cli.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads a run of at least nMin and at most nMax decimal digits at *pp into
// *pValue (nMax of 0: no limit).  False when there are too few or too many.
bool ReadDigits(const char** pp, int nMin, int nMax, long long* pValue) {
  const char* p = *pp;
  long long v = 0;
  int n = 0;
  while (IsDigit(*p)) {
    if (n >= 18) return false;  // beyond any number horomira reads
    v = v * 10 + (*p - '0');
    ++p;
    ++n;
  }
  if (n < nMin || (nMax > 0 && n > nMax)) return false;
  *pp = p;
  *pValue = v;
  return true;
}

}  // namespace

bool ParseWholeNumber(const std::string& s, long lMin, long lMax, long* pValue) {
  const char* p = s.c_str();
  const bool bNegative = *p == '-';
  if (bNegative) ++p;
  long long v;
  if (!ReadDigits(&p, 1, 0, &v) || *p != '\0') return false;
  if (bNegative) v = -v;
  if (v < lMin || v > lMax) return false;
  *pValue = static_cast<long>(v);
  return true;
}

bool ParseDecimalNumber(const std::string& s, double* pd) {
  const char* p = s.c_str();
  if (*p == '-' || *p == '+') ++p;
  const char* pDigits = p;
  while (IsDigit(*p)) ++p;
  size_t nDigits = static_cast<size_t>(p - pDigits);
  if (*p == '.') {
    ++p;
    const char* pFraction = p;
    while (IsDigit(*p)) ++p;
    nDigits += static_cast<size_t>(p - pFraction);
  }
  if (nDigits == 0 || *p != '\0') return false;
  // Only digits, one sign and one point are left: strtod reads them exactly
  // as written.
  const double d = strtod(s.c_str(), nullptr);
  if (!std::isfinite(d)) return false;
  *pd = d;
  return true;
}

bool ParseMoment(const std::string& s, DateTime* pTime, MomentParts* pParts) {
  const char* p = s.c_str();
  const bool bNegative = *p == '-';
  if (bNegative) ++p;
  long long y, mo, d, h = 0, mi = 0;
  // The year has at least four digits, month and day one or two.
  if (!ReadDigits(&p, 4, 6, &y) || *p++ != '-' || !ReadDigits(&p, 1, 2, &mo) || *p++ != '-' ||
      !ReadDigits(&p, 1, 2, &d)) {
    return false;
  }
  MomentParts parts{false, false};
  double sec = 0.0;
  if (*p == 'T' || *p == ' ') {
    parts.bHasTime = true;
    ++p;
    if (!ReadDigits(&p, 1, 2, &h) || *p++ != ':' || !ReadDigits(&p, 1, 2, &mi)) return false;
    if (*p == ':') {
      ++p;
      parts.bHasSeconds = true;
      const char* pSeconds = p;
      long long whole;
      if (!ReadDigits(&p, 1, 2, &whole)) return false;
      if (*p == '.') {
        ++p;
        if (!IsDigit(*p)) return false;
        while (IsDigit(*p)) ++p;
      }
      sec = strtod(std::string(pSeconds, p).c_str(), nullptr);
    }
  }
  if (*p != '\0') return false;
  *pTime = DateTime{static_cast<int32_t>(bNegative ? -y : y), static_cast<int32_t>(mo), static_cast<int32_t>(d),
                    static_cast<int32_t>(h), static_cast<int32_t>(mi), sec};
  if (pParts) *pParts = parts;
  return true;
}

std::string IsoMoment(const DateTime& t) {
  char sz[64];
  // Milliseconds are truncated so that a second of 59.9996 never prints as
  // 60.  A year before year 1 keeps four digits after its sign ("-0501"),
  // the form ParseMoment reads.
  const double dMs = std::floor(t.second * 1000.0) / 1000.0;
  snprintf(sz, sizeof sz, "%s%04d-%02d-%02dT%02d:%02d:%06.3f", t.year < 0 ? "-" : "", std::abs(t.year), t.month,
           t.day, t.hour, t.minute, dMs);
  return sz;
}
