// Command handlers of the charts of the person on view: the views, the
// natal, progressed and transit charts with their questions, the moment of
// the derived charts, the harmonic and solar-return charts, the horary
// chart and the chart's text on the clipboard.  Each handler takes the
// command's context and returns 1 when it was done, 0 when it was refused
// (command_dispatch.h).
#pragma once

#include "shell/command_dispatch.h"

// 10002..10005: view 0 (wheel and panel), 1 (detailed data), 2 (geodesy
// and time), 3 (double circle, its inner chart chosen).
int ViewCommand(const CommandContext& c);

// 10009, 10010, 10011 (Shift+N / P / T): the natal, progressed or transit
// chart; the derived charts are made when they do not exist yet, for the
// present moment or a moment and place the user enters.
int ChartKindCommand(const CommandContext& c);

// 12001 (Ctrl+N): "出生図を作る": recall (Yes) or new data (No).
int MakeNatalCommand(const CommandContext& c);

// 12002, 12003 (Ctrl+P / T): with derived charts, first "計算時点を変更しますか？"
// (Yes: the calculation moment); then as 10010 / 10011.
int DerivedMomentCommand(const CommandContext& c);

// 10016 (Shift+Down) "時刻の設定": a moment and place for the derived charts
// of the chart on view; lParam 12002 / 12003 chooses progressed / transit.
int CalculationMoment(const CommandContext& c);

// 10007, 24005 (Ctrl+H): the harmonic chart, or back to harmonic 1.
int HarmonicCommand(const CommandContext& c);

// 10008, 24006 (Ctrl+R): the solar return of an age the user chooses.
int SolarReturnCommand(const CommandContext& c);

// 38242 "ホラリー図": the chart of the present moment at the place the user
// is now.
int HoraryCommand(const CommandContext& c);

// 30000 (Ctrl+C): the shown chart's text (MakeChartText) on the clipboard
// (CF_TEXT), and beside it the chart area as a picture (CF_ENHMETAFILE and
// CF_DIB, picture_commands.h).
int ClipboardCommand(const CommandContext& c);
