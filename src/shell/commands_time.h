// Command handlers of the chart's time: the time steps, the return to the
// time before them, the animation, the one-step buttons and the small menu
// of the Application key.  Each handler takes the command's context and
// returns 1 when it was done, 0 when it was refused (command_dispatch.h).
#pragma once

#include "shell/command_dispatch.h"

// 101..105, 201..205, 301..305, 401..405 (backward) and 1101..1405
// (forward), 1210 (the animation's ten minutes): the shown chart moved by
// the command's step (StepCodeToSeconds) and computed again.  The first
// step keeps the chart as it was in slot 6.
int TimeStep(const CommandContext& c);

// 2000 "初めの時刻に戻す": the stepped chart as it was before the first step.
int RestoreTime(const CommandContext& c);

// 2010 "アニメーション": after its question, ten minutes a frame every
// 500 ms (timer 150); a progressed chart gives way to the transit chart,
// the double circle to view 0.
int StartAnimation(const CommandContext& c);

// 2050 (Application key): the small menu at the mouse.
int RightButtonMenu(const CommandContext& c);

// 10017, 10018: one step backward / forward: a day for the progressed
// chart, a minute otherwise.
int OneStep(const CommandContext& c);
