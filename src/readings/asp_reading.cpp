// Aspect interpretation: the reading that follows each aspect of the list
// with the paragraph on its pair of bodies and kind.
#include <cstring>

#include "platform/reports.h"
#include "readings/readings.h"

const char kAspectSeparator[] = "-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-";

namespace {

// Room the reading keeps free before each aspect, bytes: one list line and
// the longest interpretation fit well within it.
constexpr int kReadingMargin = 1000;

const char kReadingHeading[] = "  アスペクトの解読  (オーブの小さい，強いものから順に)";

// Body number 0..9 (Sun, Moon, Mercury .. Pluto) of a chart point: the
// Ascendant sits between the Sun and the Moon and is not a body.
int BodyNumber(int iPoint) { return iPoint > Asc ? iPoint - 1 : iPoint; }

}  // namespace

int AspectTextNumber(const AspectEntry& entry) {
  if (entry.bCode == kAspectQuincunx) return 0;
  const int a = BodyNumber(entry.bFirst);
  const int b = BodyNumber(entry.bSecond);
  // Pairs are numbered (0,1) .. (0,9), (1,2) .. (8,9): the pairs of the
  // bodies before a number sum(9 - i, i < a) = (19 - a) a / 2.
  const int p = (19 - a) * a / 2 + b - a - 1;
  int iOffset = 2;  // square, opposition and anything else
  if (entry.bCode == kAspectConjunction) iOffset = 3;
  if (entry.bCode == kAspectTrine || entry.bCode == kAspectSextile) iOffset = 1;
  const int n = 3 * p + iOffset;
  // A pair outside the ten bodies (or a second body before the first) has
  // no text; 136 and 137 are placeholders.
  const bool bValidPair = a >= 0 && a < b && b <= 9 && entry.bFirst != Asc && entry.bSecond != Asc;
  if (!bValidPair || n < 1 || n > 136) return ReportPlaceKind("AspectTextNumber", "OOR", -1);
  return n;
}

int MakeAspectText(const AspectEntry* pEntries, int iCount, char* szBuf, int iCapacity) {
  if (!szBuf) return ReportFatal("!lpStr:MakeAspectText");
  if (iCapacity <= 0) return ReportFatal("!lpStr:MakeAspectText");
  szBuf[0] = '\0';
  bool bFits = true;
  const char* szHeader[] = {"\r\n", kAspectSeparator, "\r\n", kReadingHeading, "\r\n",
                            kAspectSeparator, "\r\n\r\n"};
  for (const char* sz : szHeader) bFits = bFits && AppendText(szBuf, iCapacity, sz);

  for (int i = 0; bFits && i < iCount; ++i) {
    if (iCapacity - static_cast<int>(strlen(szBuf)) < kReadingMargin) {
      bFits = false;
      break;
    }
    const int n = AspectTextNumber(pEntries[i]);
    AppendText(szBuf, iCapacity, "\r\n");
    AppendText(szBuf, iCapacity, FormatAspectLine(pEntries[i]));
    if (n >= 0) AppendText(szBuf, iCapacity, kAspectTexts[n]);
    AppendText(szBuf, iCapacity, "\r\n");
    AppendText(szBuf, iCapacity, kAspectSeparator);
    AppendText(szBuf, iCapacity, "\r\n");
  }
  if (!bFits) {
    AppendText(szBuf, iCapacity, kTextTooLongNotice);
    ReportBox(PlatformMainWindow(), kTextTooLongNotice, kMbOk | kMbIconInformation);
    return 0;
  }
  return 1;
}
