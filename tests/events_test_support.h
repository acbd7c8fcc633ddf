// Helpers of the event-search tests.
#pragma once

#include <cmath>
#include <string>

#include "events_reference.h"

// Seconds from the nearest reference crossing of the same kind and value
// (tests/events_reference.h) to dJde; 1e9 when there is none within a day.
inline double ReferenceDifferenceSeconds(int iKind, int iValue, double dJde) {
  double dBest = 1e9;
  for (const ReferenceCrossing& r : kReferenceCrossings) {
    if (r.iKind != iKind || r.iValue != iValue % 360) continue;
    const double d = (dJde - r.dJde) * 86400.0;
    if (std::fabs(d) < std::fabs(dBest)) dBest = d;
  }
  return std::fabs(dBest) < 86400.0 ? dBest : 1e9;
}

// Number of times needle occurs in haystack.
inline int CountOf(const std::string& haystack, const std::string& needle) {
  int n = 0;
  for (size_t i = haystack.find(needle); i != std::string::npos; i = haystack.find(needle, i + 1)) ++n;
  return n;
}
