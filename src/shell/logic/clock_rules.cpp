// One pass of the status-bar clock: the time, the hour announcement with
// its priority changes, and the date.
#include <cstdio>

#include "shell/logic/shell_logic.h"

namespace {

const char* const kWeekdayNames[7] = {"日", "月", "火", "水", "木", "金", "土"};

constexpr int kAnnounceMinute = 59;
constexpr int kAnnounceSecond = 57;   // the announcement starts 3 s before the hour
constexpr int kStatusBackSecond = 5;  // and gives way to the chart's status text 5 s after it

}  // namespace

int DayOfWeek(int y, int m, int d) {
  // Zeller's congruence in the Gregorian calendar, shifted to 0 = Sunday.
  if (m < 3) {
    m += 12;
    y -= 1;
  }
  const int k = y % 100, j = y / 100;
  const int h = (d + 13 * (m + 1) / 5 + k + k / 4 + j / 4 + 5 * j) % 7;  // 0 = Saturday
  return (h + 6) % 7;
}

void ClockStep(const LocalClock& now, uint16_t wClockDay, ClockMemory* pMem, ClockPass* pPass) {
  *pPass = ClockPass{};
  pPass->iPriority = kClockPriorityKeep;
  if (now.second != pMem->iPrevSecond) {
    pMem->iPrevSecond = now.second;
    pPass->bTime = true;
    snprintf(pPass->szTime, sizeof pPass->szTime, "%2u:%02u:%02u", static_cast<unsigned>(now.hour),
             static_cast<unsigned>(now.minute), static_cast<unsigned>(now.second));
    if (now.minute == kAnnounceMinute && now.second >= kAnnounceSecond) {
      pPass->bAnnounce = true;
      snprintf(pPass->szAnnounce, sizeof pPass->szAnnounce, "■　ホロミラが%2d時をお知らせします　■",
               (now.hour + 1) % 24);
      if (!pMem->bRaised) pPass->iPriority = kClockPriorityRaise;
      pMem->bRaised = true;
      pMem->bStatusBackDue = true;
    } else if (now.minute == 0) {
      // The drop is tied to the raise, not to second 0 alone, so that a
      // pass delayed past second 0 still ends the raised priority.
      if (pMem->bRaised) pPass->iPriority = kClockPriorityDrop;
      pMem->bRaised = false;
      if (pMem->bStatusBackDue && now.second >= kStatusBackSecond) {
        pPass->bStatusBack = true;
        pMem->bStatusBackDue = false;
      }
    }
  }
  if (now.day != wClockDay) {
    pPass->bDate = true;
    pPass->wDay = static_cast<uint16_t>(now.day);
    snprintf(pPass->szDate, sizeof pPass->szDate, " %u年%u月%u日 %s曜日", static_cast<unsigned>(now.year),
             static_cast<unsigned>(now.month), static_cast<unsigned>(now.day),
             kWeekdayNames[DayOfWeek(now.year, now.month, now.day)]);
  }
}
