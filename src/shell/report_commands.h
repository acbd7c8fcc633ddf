// The commands that build a text and show it, in the popup window or in a
// box: the listings (ephemeris, the Sun's and the Moon's events, the recent
// almanac, the extended report), the season charts, the aspects and the
// readings, the hidden commands and the information boxes.  Each is a
// handler of the command table (command_dispatch.cpp), which has already
// made the checks of its row (a chart on view, the quick menu, the
// animation).  The texts are built in szText of the application state from
// its byte 4096.
#pragma once

#include "shell/command_dispatch.h"

// --- Shared by the handlers ----------------------------------------------------------

// The text area of the messages: szText from its byte 4096, and the bytes a
// text built there may fill.
constexpr int kMessageTextCapacity = 32768;
inline char* MessageText(AppState* lpAb) { return lpAb->szText + kMessageTextOffset; }

// The working record of the data-entry block (what the time-and-name and
// place dialogs edit): read, and replaced.  Reading an unlockable block
// gives a zeroed record.
BirthRecord ReadWorkingRecord(const AppState* lpAb);
void WriteWorkingRecord(AppState* lpAb, const BirthRecord& rec);

// --- Listings (commands_listings.cpp) ---------------------------------------------

// 38241: the ephemeris: body and step ("EphemerisDB"), the question (No
// opens the dialog again), the start moment, then 64 lines in the popup
// window, whose "戻 る [B]" runs the command again.
int EphemerisCommand(const CommandContext& c);

// 38243: a season chart: the year and kind ("VernalDB"), the question (No
// opens the dialog again), the place; the chart is shown alone from slot 2.
int SeasonChartCommand(const CommandContext& c);

// 38250, 38251, 38300, 38310: the question (not when sent again by the
// result's "戻 る [B]"), the moment in the time-and-name dialog, the text in
// the popup window.
int MomentListingCommand(const CommandContext& c);

// 39077: the Moon's next sign change, the lunar phases and the solar terms
// around the present moment; the popup's "リスト [B]" opens the popup list.
int AlmanacCommand(const CommandContext& c);

// 12345: the Placidus cusps and the lunar data of the chart on view.
int ExtendedReportCommand(const CommandContext& c);

// --- Aspects and readings (commands_readings.cpp) -----------------------------------

// ShowAspectList (10006): the aspects of the chart on view, sorted by orb,
// in the popup window; its "解 読  [B]" gives the aspect reading.
int ShowAspectList(HWND hWnd, const ChartRecord& chart, AppState* lpAb);
int AspectListCommand(const CommandContext& c);

// ShowAspectReading (24001): the same aspects, each with its reading; the
// popup's "一覧 [B]" returns to the list.
int ShowAspectReading(HWND hWnd, const ChartRecord& chart, AppState* lpAb);
int AspectReadingCommand(const CommandContext& c);

// 24000, 57051: the character reading of the person on view, the default
// person, or another person (from the popup's "ほかの人 [B]").
int CharacterReadingCommand(const CommandContext& c);

// 10012, 57050: today's fortune of the same choice of person, at the
// person's current place, shown over the double circle of the person's
// charts of the present moment.
int FortuneCommand(const CommandContext& c);

// --- Hidden commands and information (commands_info.cpp) ------------------------------

// 3199: "隠しコマンドＢ": the length of the message text in szText.
int HiddenCommandB(const CommandContext& c);
// 23456: "隠しコマンドＡ": the house system of the wheel.
int HiddenCommandA(const CommandContext& c);
// 50001: "最新版とサポートについて".
int SupportCommand(const CommandContext& c);
// 50003: the popup window closes and the quotation box opens.
int QuotationCommand(const CommandContext& c);
// 53290: the version box.
int VersionCommand(const CommandContext& c);
// 55000: "印刷について" in the popup window; its "ヘルプ [B]" shows the help
// topic on pasting a chart into another program.
int PrintingCommand(const CommandContext& c);
