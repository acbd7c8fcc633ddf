// Command handlers of the settings menu and of the program's own
// installation: background colour, orb, house system, start-up mode, the
// default-person wizard and uninstall.  Each handler takes the command's
// context and returns 1 when it was done, 0 when it was refused
// (command_dispatch.h).
#pragma once

#include "shell/command_dispatch.h"

// 36000..36005: the background colour (palette rebuilt; the old colour
// stays when the palette cannot be made).
int BackgroundCommand(const CommandContext& c);

// 41003..41006, 41008, 41010: the aspect orb of 3, 4, 5, 6, 8 or 10
// degrees, after "次の設定を記憶します。"; kept in the settings.
int OrbCommand(const CommandContext& c);

// 44401..44404 (Shift+H, Shift+J): the house system of the wheel; Placidus
// needs the Placidus cusps of the shown chart (not above 60 degrees north).
int HouseSystemCommand(const CommandContext& c);

// 40208, 40209: the title page at start-up, or a fast start.
int StartupCommand(const CommandContext& c);

// 60001 "デフォルトの出生データ": the default-person wizard from its start;
// 65000: the wizard's page buttons, the step in lParam.
int WizardCommand(const CommandContext& c);

// 30099 "アンインストール": after two questions the association and the
// settings file are removed and the program ends without saving them.
int UninstallProgram(const CommandContext& c);
