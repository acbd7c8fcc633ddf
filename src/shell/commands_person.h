// Command handlers of the person on view: recalling a filed person,
// entering a new one, undo, and the two persons of the double-chart mode.
// Each handler takes the command's context and returns 1 when it was done,
// 0 when it was refused (command_dispatch.h).
#pragma once

#include "shell/command_dispatch.h"

// 10000 (Backspace) "データの呼出": a row of the birth-data table chosen in
// the list becomes the person on view (natal chart in slot 0, the previous
// person kept for undo).  An empty table offers new data or another file.
int RecallData(const CommandContext& c);

// 10001 (Insert) "新規データ": time and name, place, then the modeless
// confirmation box; its "は い" sends message 2048, which shows the chart.
// lParam 101 (the box's "訂正") edits the record entered last.
int NewData(const CommandContext& c);

// 32000 (Ctrl+Z) "元に戻す": the previous person comes back.
int UndoCommand(const CommandContext& c);

// 10015 (Shift+Tab) "データ切替": the outer and inner persons of the double
// chart exchange places.
int SwitchData(const CommandContext& c);

// 10014 (Ctrl+2) "相性": double-chart mode on (the person on view goes
// inside, the next recalled or new person outside) or off (the inner
// person is kept).
int DoubleChartCommand(const CommandContext& c);
