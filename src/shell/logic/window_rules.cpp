// Status-bar parts, the first window placement, the caption, the fairy's
// situation and text, the toolbar's texts, the menu state of a chart and
// the quick menu's dragging bounds.
#include <cstdio>
#include <cstring>

#include "base/shift_jis.h"
#include "platform/resource_ids.h"
#include "readings/help_texts.h"
#include "shell/logic/shell_logic.h"

namespace {

// Copies a formatted text cut without splitting a double-byte character.
void CutCopy(char* szOut, size_t cbOut, const char* szText) {
  if (cbOut == 0) return;
  const size_t n = strlen(szText);
  if (n < cbOut) {
    memcpy(szOut, szText, n + 1);
    return;
  }
  memcpy(szOut, szText, cbOut - 1);
  szOut[cbOut - 1] = '\0';
  CutDoubleByteSafe(szOut, static_cast<int>(cbOut - 1));
}

}  // namespace

int ShownSlotIndex(const ChartSlots& slots) {
  return slots.bCurSlot < kNumChartSlots ? static_cast<int>(slots.bCurSlot) : static_cast<int>(kSlotNatal);
}

// --- Status bar, placement, caption ----------------------------------------------

void StatusBarEdges(int w, int piEdges[3]) {
  if (w > 560) {
    piEdges[0] = w - 260;
    piEdges[1] = w - 80;
  } else if (w > 480) {
    piEdges[0] = w - 140;
    piEdges[1] = w - 2;
  } else {
    piEdges[0] = w - 2;
    piEdges[1] = w - 2;
  }
  piEdges[2] = w - 2;
}

StartPlacement ChooseStartPlacement(bool bLoaded, const SystemIniInf& sii) {
  constexpr int kMinWidth = 600, kMinHeight = 400;
  StartPlacement p{};
  if (!bLoaded) return p;
  if (sii.bFlags & kSiiFlagMaximized) {
    p.bMaximized = true;
    return p;
  }
  int left, top, right, bottom;
  UnpackCorner(sii.dwWindowTopLeft, &left, &top);
  UnpackCorner(sii.dwWindowBottomRight, &right, &bottom);
  if (bottom - top >= kMinHeight && right - left >= kMinWidth) {
    p.bStored = true;
    p.x = left;
    p.y = top;
    p.cx = right - left;
    p.cy = bottom - top;
  }
  return p;
}

void FormatCaption(char* szOut, size_t cbOut, const char* szProgram, const char* szChartTitle,
                   const char* szFile) {
  char sz[1024];
  snprintf(sz, sizeof sz, "%s - %s - [%s]", szProgram, szChartTitle, szFile);
  CutCopy(szOut, cbOut, sz);
}

// --- Fairy -----------------------------------------------------------------------

int ChooseFairySituation(const ChartSlots& slots, bool bDefaultPerson, bool bDoubleChartMode) {
  const ChartRecord& shown = slots.charts[ShownSlotIndex(slots)];
  if (bDefaultPerson) return kFairyDefaultPerson;
  if (shown.iReturnAge != 0) return kFairySolarReturn;
  if (shown.fHarmonic != 1.0f && shown.fHarmonic != 0.0f) return kFairyHarmonic;
  if (shown.wKind == kChartProgressed || shown.wKind == kChartTransit) return kFairyDerivedChart;
  if (slots.iViewMode == kViewDouble || bDoubleChartMode) return kFairyDoubleCircle;
  if (slots.iViewMode == kViewChart) return kFairyChartView;
  if (slots.iViewMode == kViewDetail) return kFairyDetailView;
  return kFairyTimeView;
}

int FormatFairyText(char* szOut, size_t cbOut, int iSituation, bool bRepeat) {
  const char* szText = FairyHintText(iSituation);
  const int n = snprintf(szOut, cbOut, "  %s%s%s", bRepeat ? kFairyRepeatNotice : "", szText ? szText : "",
                         kFairyClosingText);
  return n < 0 ? 0 : (static_cast<size_t>(n) < cbOut ? n : static_cast<int>(cbOut) - 1);
}

// --- Toolbar -------------------------------------------------------------------------

const int kToolbarCommands[kToolbarEntryCount] = {
    0,               IDM_FROM_FILE,  IDM_NEW_DATA,    0,
    IDM_VIEW_CHART,  IDM_VIEW_DETAIL, IDM_VIEW_TIME,  IDM_VIEW_DOUBLE, 0,
    IDM_ASPECTS,     IDM_HARMONIC_TB, IDM_RETURN_TB,  0,
    IDM_NATAL,       IDM_PROGRESSED, IDM_TRANSIT,     0,
    IDM_FORTUNE,     IDM_POPUP_LIST, IDM_DOUBLE_MODE, IDM_SWITCH_DATA, 0,
    IDM_MOMENT,      IDM_STEP_BACK,  IDM_STEP_FORWARD, 0,
    IDM_FAIRY,       IDM_QUICK_MENU, IDM_HELP_TB,
};

namespace {

struct ButtonText {
  int iCommand;
  const char* szShort;
  const char* szLong;  // the status text is "★ %s ..."
};
const ButtonText kButtonTexts[] = {
    {IDM_FROM_FILE, "保存ﾃﾞｰﾀの呼出", "以前に入力したﾃﾞｰﾀを呼び出します"},
    {IDM_NEW_DATA, "新規ﾃﾞｰﾀ", "新しいﾃﾞｰﾀを入力して占いや計算をします"},
    {IDM_VIEW_CHART, "1重ﾁｬｰﾄ", "ﾁｬｰﾄと概略ﾃﾞｰﾀを表示します"},
    {IDM_VIEW_DETAIL, "詳細ﾃﾞｰﾀ", "詳しい位置ﾃﾞｰﾀを表示します"},
    {IDM_VIEW_TIME, "測地系と時刻系", "専門的なﾃﾞｰﾀを表示します"},
    {IDM_VIEW_DOUBLE, "2重ﾁｬｰﾄ", "2種類のﾁｬｰﾄを2重円形式で表示します"},
    {IDM_ASPECTS, "ｱｽﾍﾟｸﾄ", "ｱｽﾍﾟｸﾄを表示します"},
    {IDM_HARMONIC_TB, "倍音", "倍音図の計算をします"},
    {IDM_RETURN_TB, "ｿｰﾗｰﾘﾀｰﾝ", "100歳までのｿｰﾗｰﾘﾀｰﾝをすべて計算します"},
    {IDM_NATAL, "出生図", "出生図のﾃﾞｰﾀを表示します"},
    {IDM_PROGRESSED, "ﾌﾟﾛｸﾞﾚｽ", "ﾌﾟﾛｸﾞﾚｽのﾃﾞｰﾀを表示します"},
    {IDM_TRANSIT, "ﾄﾗﾝｼﾞｯﾄ", "ﾄﾗﾝｼﾞｯﾄのﾃﾞｰﾀを表示します"},
    {IDM_FORTUNE, "今日の運勢", "今現在の運勢を調べます"},
    {IDM_POPUP_LIST, "ﾎﾟｯﾌﾟｱｯﾌﾟ", "他のﾃﾞｰﾀやｴﾌｪﾒﾘｽ / 占い のｳｨﾝﾄﾞｳを出します"},
    {IDM_DOUBLE_MODE, "相性", "ふたりのﾁｬｰﾄを比較分析します"},
    {IDM_SWITCH_DATA, "ﾃﾞｰﾀ切替", "ﾃﾞｰﾀをきりかえます"},
    {IDM_MOMENT, "時刻設定", "計算時点を新規設定します"},
};

const char* const kKindNames[3] = {"出生図", "ﾌﾟﾛｸﾞﾚｽ", "ﾄﾗﾝｼﾞｯﾄ"};

}  // namespace

int ToolbarImage(int iCommand) {
  if (iCommand == IDM_FROM_FILE) return kToolbarImageOpen;
  if (iCommand == IDM_NEW_DATA) return kToolbarImageNew;
  if (iCommand >= IDM_VIEW_CHART && iCommand <= IDM_FAIRY) return iCommand - IDM_VIEW_CHART;
  if (iCommand == IDM_QUICK_MENU) return 18;
  if (iCommand == IDM_HELP_TB) return 19;
  return kToolbarNoButton;
}

int ToolbarTexts(int iCommand, const ToolbarTextState& st, char* szShort, size_t cbShort, char* szStatus,
                 size_t cbStatus) {
  char szS[128] = "", szL[256] = "";
  if (iCommand >= IDM_FROM_FILE && iCommand <= IDM_MOMENT) {
    for (const ButtonText& b : kButtonTexts) {
      if (b.iCommand != iCommand) continue;
      snprintf(szS, sizeof szS, "%s", b.szShort);
      snprintf(szL, sizeof szL, "★ %s ...", b.szLong);
    }
  } else if (iCommand == IDM_STEP_BACK || iCommand == IDM_STEP_FORWARD) {
    const bool bForward = iCommand == IDM_STEP_FORWARD;
    const char* szStep = st.iCurKind == kChartProgressed ? "1日" : "1分";
    const int iKind = st.iCurKind >= 0 && st.iCurKind <= 2 ? st.iCurKind : 0;
    snprintf(szS, sizeof szS, "%s%s", szStep, bForward ? "ﾌﾟﾗｽ" : "ﾏｲﾅｽ");
    snprintf(szL, sizeof szL, "★ %sの計算時点を%s%s", kKindNames[iKind], szStep,
             bForward ? "進めます ..." : "ﾏｲﾅｽします ...");
  } else if (iCommand == IDM_FAIRY) {
    snprintf(szS, sizeof szS, "親切な妖精");
    snprintf(szL, sizeof szL, "%s",
             st.bFairyOpen ? "★ 妖 精 が 消 え ま す ..." : "★ 親 切 な 妖 精 を 呼 び 出 し ま す ...");
  } else if (iCommand == IDM_QUICK_MENU) {
    snprintf(szS, sizeof szS, "%s", st.bQuickMenuShown ? "簡単ﾒﾆｭｰを閉じる" : "簡単ﾒﾆｭｰ");
    snprintf(szL, sizeof szL, "%s",
             st.bQuickMenuShown ? "★ \"簡単ﾒﾆｭｰ\"を閉じます ..." : "★ \"簡単ﾒﾆｭｰ\"を呼び出します ...");
  } else if (iCommand == IDM_HELP_TB) {
    snprintf(szS, sizeof szS, "ﾍﾙﾌﾟ");
    snprintf(szL, sizeof szL, "★ 疑問点をさくいんから調べます ...");
  }
  const bool bKnown = szS[0] != '\0';
  CutCopy(szShort, cbShort, bKnown ? szS : "Abnormal value");
  CutCopy(szStatus, cbStatus, szL);
  return bKnown ? 1 : 0;
}

// --- Menu and toolbar state -------------------------------------------------------------

MenuState ComputeMenuState(const ChartSlots& slots, uint8_t bState0, uint8_t bState1, uint8_t bState2,
                           bool bQuickMenuShown) {
  constexpr uint8_t kDefaultPersonBit = 0x04, kSteppedBit = 0x04, kDoubleModeBit = 0x40;
  const ChartRecord& shown = slots.charts[ShownSlotIndex(slots)];
  MenuState m{};
  m.bQuickMenu = bQuickMenuShown;
  m.bRestoreTime = (bState1 & kSteppedBit) != 0;
  const int iView = slots.iViewMode >= kViewChart && slots.iViewMode <= kViewDouble ? slots.iViewMode : kViewChart;
  m.iViewCommand = IDM_VIEW_CHART + iView;
  m.bNatal = shown.wKind == kChartNatal || iView == kViewDouble;
  m.bProgressed = shown.wKind == kChartProgressed;
  m.bTransit = shown.wKind == kChartTransit;
  m.bHarmonic = shown.fHarmonic != 1.0f && shown.fHarmonic != 0.0f;
  m.bSolarReturn = shown.iReturnAge != 0;
  m.bDoubleChartMode = (bState2 & kDoubleModeBit) != 0;
  m.bUndo = !m.bDoubleChartMode && (bState0 & kDefaultPersonBit) == 0;
  return m;
}

// --- Quick menu ------------------------------------------------------------------------------

bool InQuickMenuDragBand(int x, int y, int iLeft, int iTop, int iSize) {
  constexpr int kBand = 85;  // pixels below the card's top
  return x >= iLeft && x < iLeft + iSize && y >= iTop && y < iTop + kBand;
}

bool ConfineQuickMenu(const ShellRect& area, int iSize, int* piLeft, int* piTop) {
  constexpr int kLeftMargin = 10;  // the outline may come this close to the left edge
  constexpr int kLeftReset = 15, kTopReset = 5, kBottomReset = 5;
  if (*piLeft < area.left + kLeftMargin) {
    *piLeft = area.left + kLeftReset;
  } else if (*piLeft + iSize > area.right) {
    *piLeft = area.right - iSize;
  } else if (*piTop < area.top) {
    *piTop = area.top + kTopReset;
  } else if (*piTop + iSize > area.bottom) {
    *piTop = area.bottom - kBottomReset - iSize;
  } else {
    return false;
  }
  return true;
}
