// Command handlers of the birth-data file and of the program's end: open,
// new, save as, save, the recent files, deleting a row, exit.  Each handler
// takes the command's context and returns 1 when it was done, 0 when it
// was refused (command_dispatch.h).
#pragma once

#include "shell/command_dispatch.h"

// 31770 (Ctrl+O) "開く": the table is written, the open dialog chooses a
// file; its list follows.  Started by a pending request (iOpenRequest),
// the table is not written first and the request is taken up.
int OpenFile(const CommandContext& c);

// 31771 "新規作成": an empty table named "無題.bd5"; the chart slots are
// reset.
int NewFile(const CommandContext& c);

// 31772 (Ctrl+A) "名前を付けて保存"; sent with the closing marker -999 by
// WM_CLOSE, the window is destroyed after the dialog.
int SaveAs(const CommandContext& c);

// 31773 "上書き保存": the table written to the current file; an untitled
// file is given a name first (as 31772).
int SaveFile(const CommandContext& c);

// 45700..45709: the recent file of that slot; its list follows.
int RecentFile(const CommandContext& c);

// 32099 (Ctrl+Delete) "不要データの削除": a row chosen in the list is
// removed from the table after a question.
int DeleteRowCommand(const CommandContext& c);

// 37298, 37299 (Pause, Ctrl+X) "終了": the window closes the normal way
// (an untitled file is asked about first).
int ExitCommand(const CommandContext& c);
