// Report boxes: how the program tells the user about failures and asks its
// questions.  Every text and title is the program's own (Shift-JIS).
#pragma once

#include <cstdint>

#include "platform/platform.h"

// Title of the program's boxes.
extern const char kProgramTitle[];  // "ΩΡΟΜΙΡΑ"

// Fatal report: an error box without owner.  Returns 0 so that a failing
// routine can `return ReportFatal("...")`.
int ReportFatal(const char* szText);

// Plain box titled with the program name, in the given style; returns the
// pressed button.
int ReportBox(WindowRef hOwner, const char* szText, unsigned uStyle);

// Failure box titled "予期せぬ障害" with an error icon.
void ReportFailure(WindowRef hOwner, const char* szText);

// Error line box: an AppOkMsg titled "エラー" showing line B, then line A.
void ReportErrorLines(WindowRef hOwner, const char* szLineA, const char* szLineB);

// Place-and-kind box on the main window: where an internal error happened
// and of which kind ("OOR/iWorkMode", ...).  Returns iResult unchanged so
// that a routine can `return ReportPlaceKind(place, kind, 0)`.
int ReportPlaceKind(const char* szPlace, const char* szKind, int iResult);

// Exception box of a single operation: Abort/Retry/Ignore titled with the
// place; Abort ends the program the normal way.  Returns 1.
int ReportException(WindowRef hOwner, const char* szPlace);

// Debug value box "%s = %.8f" titled "CheckValue".
void ReportCheckValue(const char* szName, double dValue);

// Name shown for a processor exception code ("整数のゼロ除算", ...).
const char* ExceptionKindName(uint32_t dwCode);

// Level-2 report of a processor exception caught around the window
// procedure or a command.  Abort ends the program; the others continue.
// Returns the pressed button.
int ReportLevel2Exception(WindowRef hOwner, const char* szPlace, uint32_t dwCode, uintptr_t uAddress,
                          uint32_t dwFlags, uint32_t dwNumParams, uintptr_t uInfo);

// The program's own message boxes: a heading and three lines of at most
// 127 bytes (longer texts are cut without splitting a double-byte
// character).
// AppMsgBox returns 6 (Yes), 7 (No) or 2 (Cancel); AppOkCancelMsg returns 1
// for OK and 2 otherwise.  When the text block cannot be allocated the fatal
// report "!hMem for ..." is shown and 0 is returned.
int AppMsgBox(WindowRef hOwner, const char* szHeading, const char* szLine1, const char* szLine2,
              const char* szLine3);
int AppOkCancelMsg(WindowRef hOwner, const char* szHeading, const char* szLine1, const char* szLine2,
                   const char* szLine3);
void AppOkMsg(WindowRef hOwner, const char* szHeading, const char* szLine1, const char* szLine2,
              const char* szLine3);
