// Checkpoints for processor exceptions on the UI thread (see the header for
// the mechanism).
#include "platform/win32/exception_guard.h"

#include <windows.h>
#include <malloc.h>

#include "platform/platform.h"
#include "platform/reports.h"

namespace {

// A checkpoint: the registers to jump back to (__builtin_setjmp's five
// words), the checkpoint it is nested in and what it caught.
struct Checkpoint {
  void* jb[5];
  Checkpoint* pPrev;
  CaughtException caught;
};

DWORD g_dwGuardThread = 0;          // the UI thread
Checkpoint* g_pTop = nullptr;       // its innermost active checkpoint
Checkpoint* g_pLanding = nullptr;   // where the landing function jumps
LPTOP_LEVEL_EXCEPTION_FILTER g_pPrevFilter = nullptr;

// Address ranges of the program's own image and of the C runtime.
struct ModuleRange {
  uintptr_t uStart, uEnd;
};
ModuleRange g_image{}, g_crt{};

ModuleRange RangeOf(HMODULE hModule) {
  if (!hModule) return ModuleRange{0, 0};
  const auto* pDos = reinterpret_cast<const IMAGE_DOS_HEADER*>(hModule);
  const auto* pNt =
      reinterpret_cast<const IMAGE_NT_HEADERS*>(reinterpret_cast<const char*>(hModule) + pDos->e_lfanew);
  const uintptr_t uStart = reinterpret_cast<uintptr_t>(hModule);
  return ModuleRange{uStart, uStart + pNt->OptionalHeader.SizeOfImage};
}

bool InRange(const ModuleRange& r, uintptr_t a) { return a >= r.uStart && a < r.uEnd; }

// Processor and system errors have the severity "error" and are not
// software exceptions of a language run time (C++ throws use other codes).
bool IsProcessorException(DWORD dwCode) { return (dwCode & 0xF0000000u) == 0xC0000000u; }

// Entered in place of the faulting instruction, on the faulting stack:
// jumps to the checkpoint the handler chose.
[[noreturn]] __attribute__((noinline)) void LandAtCheckpoint() { __builtin_longjmp(g_pLanding->jb, 1); }

// Records the exception in the innermost checkpoint and resumes the thread
// in LandAtCheckpoint.
LONG Land(EXCEPTION_POINTERS* p) {
  Checkpoint* c = g_pTop;
  const EXCEPTION_RECORD* r = p->ExceptionRecord;
  c->caught.dwCode = r->ExceptionCode;
  c->caught.dwFlags = r->ExceptionFlags;
  c->caught.uAddress = reinterpret_cast<uintptr_t>(r->ExceptionAddress);
  c->caught.dwNumParams = r->NumberParameters;
  c->caught.uInfo = r->NumberParameters > 0 ? static_cast<uintptr_t>(r->ExceptionInformation[0]) : 0;
  g_pLanding = c;
  // A little below the faulting stack pointer (the landing needs only a
  // few bytes, even after a stack overflow), aligned as at a function's
  // entry: 16-byte aligned before the return address slot.
  constexpr uintptr_t kRoom = 64;
  CONTEXT* ctx = p->ContextRecord;
#if defined(_WIN64)
  uintptr_t sp = (static_cast<uintptr_t>(ctx->Rsp) - kRoom) & ~static_cast<uintptr_t>(15);
  ctx->Rsp = sp - sizeof(void*);
  ctx->Rip = reinterpret_cast<DWORD64>(&LandAtCheckpoint);
#else
  uintptr_t sp = (static_cast<uintptr_t>(ctx->Esp) - kRoom) & ~static_cast<uintptr_t>(15);
  ctx->Esp = sp - sizeof(void*);
  ctx->Eip = reinterpret_cast<DWORD>(&LandAtCheckpoint);
#endif
  return EXCEPTION_CONTINUE_EXECUTION;
}

bool Guarded(const EXCEPTION_RECORD* r) {
  return g_pTop && GetCurrentThreadId() == g_dwGuardThread && IsProcessorException(r->ExceptionCode);
}

// First chance: exceptions raised in the program's code or the C runtime.
LONG CALLBACK FirstChanceHandler(EXCEPTION_POINTERS* p) {
  if (!Guarded(p->ExceptionRecord)) return EXCEPTION_CONTINUE_SEARCH;
  const uintptr_t a = reinterpret_cast<uintptr_t>(p->ExceptionRecord->ExceptionAddress);
  if (!InRange(g_image, a) && !InRange(g_crt, a)) return EXCEPTION_CONTINUE_SEARCH;
  return Land(p);
}

// Last chance: an exception raised elsewhere that no handler took.
LONG WINAPI UnhandledFilter(EXCEPTION_POINTERS* p) {
  if (Guarded(p->ExceptionRecord)) return Land(p);
  return g_pPrevFilter ? g_pPrevFilter(p) : EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

void InstallExceptionGuard() {
  g_dwGuardThread = GetCurrentThreadId();
  g_image = RangeOf(GetModuleHandleA(nullptr));
  g_crt = RangeOf(GetModuleHandleA("msvcrt.dll"));
  AddVectoredExceptionHandler(1, FirstChanceHandler);
  g_pPrevFilter = SetUnhandledExceptionFilter(UnhandledFilter);
}

__attribute__((noinline)) int RunGuardedCall(void (*pfn)(void*), void* pArg, CaughtException* pCaught) {
  Checkpoint c{};
  c.pPrev = g_pTop;
  g_pTop = &c;
  if (__builtin_setjmp(c.jb) == 0) {
    pfn(pArg);
    g_pTop = c.pPrev;
    return 1;
  }
  // Landed here from the handler: the frames between were dropped.
  g_pTop = c.pPrev;
  if (c.caught.dwCode == EXCEPTION_STACK_OVERFLOW) _resetstkoflw();  // the guard page again
  *pCaught = c.caught;
  return 0;
}

int ReportCaught(const char* szPlace, const CaughtException& caught) {
  return ReportLevel2Exception(PlatformMainWindow(), szPlace, caught.dwCode, caught.uAddress, caught.dwFlags,
                               caught.dwNumParams, caught.uInfo);
}

namespace {
volatile int g_iSink;  // keeps the division of the test trigger
}

void RaiseDivisionByZero() {
  volatile int iNumerator = 1, iZero = 0;
  g_iSink = iNumerator / iZero;
}

void RaiseAccessViolation() {
  volatile int* volatile pNowhere = nullptr;
  *pNowhere = 1;
}
