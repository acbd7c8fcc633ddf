// Names the event listings print: signs, solar terms, lunar phases, the
// bodies and steps of the ephemeris listing.
#include <cstdio>

#include "events/events.h"

const char* const kSignHiragana[12] = {
    "おひつじ", "おうし", "ふたご", "かに",     "しし", "おとめ",
    "てんびん", "さそり", "いて",   "やぎ", "みずがめ", "うお",
};

// Principal terms: the Sun at 0° of the sign (春分 at 0° Aries).
const char* const kPrincipalTerms[12] = {
    "春分", "穀雨", "小満", "夏至", "大暑", "処暑", "秋分", "霜降", "小雪", "冬至", "大寒", "雨水",
};

// Sectional terms: the Sun at 15° of the sign (清明 at 15° Aries).
const char* const kSectionalTerms[12] = {
    "清明", "立夏", "芒種", "小暑", "立秋", "白露", "寒露", "立冬", "大雪", "小寒", "立春", "啓蟄",
};

// The quarters are indented by three blanks where the new and the full moon
// carry a symbol and a blank, so that the times line up.
const char* const kMoonPhaseNames[4] = {"● 新月", "   上弦", "○ 満月", "   下弦"};
const char* const kMoonPhaseWords[4] = {"新月", "上弦", "満月", "下弦"};

const char* const kEphemBodyNames[kNumEphemBodies] = {
    "太陽", "月", "水星", "金星", "火星", "木星", "土星", "天王星", "海王星",
};

int EventLabel(const EventEntry& entry, char* szLabel, int cbLabel) {
  if (!szLabel || cbLabel <= 0) return 0;
  const int i = entry.iSign;
  const bool bSign = i >= 0 && i < 12;
  int n;
  switch (entry.iKind) {
    case kEventSunIngress:
      n = bSign ? snprintf(szLabel, cbLabel, "%s: 太陽が %s座に入る", kPrincipalTerms[i], kSignHiragana[i])
                : snprintf(szLabel, cbLabel, "?");
      break;
    case kEventSunMidSign:
      n = bSign ? snprintf(szLabel, cbLabel, "%s: 太陽が %s座15.0度を通過", kSectionalTerms[i],
                           kSignHiragana[i])
                : snprintf(szLabel, cbLabel, "?");
      break;
    case kEventMoonIngress:
      n = bSign ? snprintf(szLabel, cbLabel, "%s座へのイングレス", kSignHiragana[i])
                : snprintf(szLabel, cbLabel, "?");
      break;
    case kEventMoonPhase:
      n = i >= 0 && i < 4 ? snprintf(szLabel, cbLabel, "%s", kMoonPhaseWords[i])
                          : snprintf(szLabel, cbLabel, "?");
      break;
    default:
      n = snprintf(szLabel, cbLabel, "?");
      break;
  }
  return n < cbLabel ? n : cbLabel - 1;
}
