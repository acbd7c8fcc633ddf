// Processor exceptions (access violation, division by zero, stack overflow
// ...) caught around a piece of the UI thread's work, so that the program
// can report them and go on, or end the normal way.
//
// The compiler has no __try.  The mechanism: a vectored exception handler,
// installed once, sees every exception of the process first.  When the UI
// thread has an active checkpoint (RunGuarded) and the exception is a
// processor exception raised in the program's own code or in the C runtime,
// the handler copies the exception record into the checkpoint and resumes
// the faulting thread in a small landing function on the faulting stack
// (EXCEPTION_CONTINUE_EXECUTION with a changed instruction and stack
// pointer).  The landing function jumps back to the checkpoint with
// __builtin_longjmp, which restores the checkpoint's frame and stack
// registers without unwinding.  So the system's exception dispatch always
// ends normally, and the jump crosses only the program's own frames between
// the checkpoint and the fault.  Exceptions raised inside other system
// libraries are first left to the libraries' own handlers (some of them
// catch access violations on purpose); one that nobody handles reaches the
// unhandled-exception filter, which lands at the checkpoint the same way.
// The same code serves i686 and x86-64: only the context's register names
// differ.
//
// Every entry point the system calls into the program (the window
// procedure, each dialog procedure, the hooks) runs its work under a
// checkpoint of its own, so that a jump never crosses the system's frames
// (a modal dialog's loop, a hook chain) between two of the program's.
//
// What is jumped over is not cleaned up (no destructors run): as in the
// program's reports, the state at the moment of the exception stays.
#pragma once

#include <cstdint>
#include <type_traits>

#include "platform/reports.h"

// The exception a checkpoint caught.
struct CaughtException {
  uint32_t dwCode;       // exception code (0xC0000094 integer division by zero ...)
  uint32_t dwFlags;      // exception flags
  uintptr_t uAddress;    // where it was raised
  uint32_t dwNumParams;  // number of parameters
  uintptr_t uInfo;       // first parameter (0 when there is none)
};

// InstallExceptionGuard: installs the handler and the filter; the calling
// thread becomes the one whose checkpoints are served.  Call once at
// start-up, before the first RunGuarded.
void InstallExceptionGuard();

// RunGuardedCall: calls pfn(pArg) under a checkpoint.  Returns 1 when it
// returned, 0 when a processor exception ended it (*pCaught filled).
// Checkpoints nest: the innermost one catches.
int RunGuardedCall(void (*pfn)(void*), void* pArg, CaughtException* pCaught);

// RunGuarded: the same for any callable.
template <class F>
int RunGuarded(F&& f, CaughtException* pCaught) {
  using Callable = std::remove_reference_t<F>;
  return RunGuardedCall([](void* p) { (*static_cast<Callable*>(p))(); }, const_cast<void*>(static_cast<const void*>(&f)),
                        pCaught);
}

// RunReported: runs f (a command's piece, a dialog procedure's message)
// under a checkpoint of its own; a processor exception in it is reported in
// the exception box titled szPlace ("IDM_NewData", "HelpListDF") and the
// result is 0.
template <class F>
auto RunReported(WindowRef hOwner, const char* szPlace, F&& f) -> decltype(f()) {
  decltype(f()) result{};
  CaughtException caught;
  if (!RunGuarded([&] { result = f(); }, &caught)) {
    ReportException(hOwner, szPlace);
    return decltype(f()){};
  }
  return result;
}

// ReportCaught: the level-2 report of a caught exception at szPlace
// ("WindowProcedure", "WM_COMMAND" ...): Abort ends the program the normal
// way.  Returns the pressed button.
int ReportCaught(const char* szPlace, const CaughtException& caught);

// Test triggers: raise an integer division by zero or an access violation
// in the program's own code.  Reached only through the test commands, which
// the command table serves only when the process was started with the
// environment variable HOROMAP_TEST_HOOKS=1 (see command_dispatch.cpp).
void RaiseDivisionByZero();
void RaiseAccessViolation();
