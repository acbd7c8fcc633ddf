/* Preloaded into 32-bit Wine when it runs under qemu-i386 (tools/wine_env.sh,
 * the i386 route of tools/i386_route.sh).
 *
 * Wine tells the kind of a processor fault from the trap number the kernel
 * leaves in the signal context (uc_mcontext.gregs[REG_TRAPNO]).  qemu-i386
 * always leaves -1 there, so Wine misreports faults: an access violation
 * becomes an illegal instruction (c000001d), an integer division by zero a
 * floating-point error (c0000090).  The signal information qemu gives is
 * right, though, and so is the error code (for page faults: the write and
 * instruction-fetch bits).  This library puts itself between Wine and the
 * handlers Wine installs for the fault signals and fills the trap number in
 * from the signal information before Wine's handler sees the context, as
 * the kernel of a 32-bit x86 machine would have.
 *
 * The mapping (x86 trap numbers):
 *   SIGSEGV from a page fault (SEGV_MAPERR, SEGV_ACCERR)       14
 *   SIGSEGV sent by the kernel (general protection, privileged
 *     instructions, int N without a gate)                      13
 *   SIGILL (invalid opcode)                                     6
 *   SIGFPE FPE_INTDIV (divide error)                            0
 *   SIGBUS BUS_ADRALN (alignment check)                        17
 *   SIGBUS sent by the kernel (segment not present)            11
 *   SIGBUS of a mapped page (BUS_ADRERR, BUS_OBJERR)           14
 *   SIGTRAP sent by the kernel (int3)                           3
 *   SIGTRAP of a single step or a hardware breakpoint           1
 * A floating-point SIGFPE keeps -1: Wine then reads the exception from the
 * FPU state, which is what it does for both x87 and SSE traps.  INTO and
 * BOUND also arrive as a SIGSEGV sent by the kernel and so are reported as
 * general-protection faults; no current compiler emits them.
 *
 * The handler runs on Wine's signal stack while Windows code may own the
 * segment registers: it reads and writes only its arguments and a static
 * table, and is built without the stack protector (which reads %gs).
 *
 * Loaded through LD_PRELOAD, which the library removes from the environment
 * again: the environment is inherited by every program Wine starts, and a
 * 64-bit program (the wineserver, the shell of the binfmt interpreter)
 * would refuse this 32-bit object with an error message.  The interpreter
 * of the binfmt entry puts it back for every emulated program.
 */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <signal.h>
#include <stddef.h>
#include <stdlib.h>
#include <ucontext.h>

typedef int (*SigactionFn)(int, const struct sigaction*, struct sigaction*);
typedef void (*InfoHandler)(int, siginfo_t*, void*);

static SigactionFn real_sigaction;

/* The handlers Wine installed for the fault signals, by signal number;
 * null where the signal is not wrapped. */
static InfoHandler volatile wine_handlers[NSIG];

static int is_fault_signal(int sig) {
  return sig == SIGSEGV || sig == SIGILL || sig == SIGFPE || sig == SIGBUS || sig == SIGTRAP;
}

static int trap_number(int sig, const siginfo_t* si) {
  switch (sig) {
    case SIGSEGV:
      return si->si_code == SI_KERNEL ? 13 : 14;
    case SIGILL:
      return 6;
    case SIGFPE:
      return si->si_code == FPE_INTDIV ? 0 : -1;
    case SIGBUS:
      if (si->si_code == BUS_ADRALN) return 17;
      return si->si_code == SI_KERNEL ? 11 : 14;
    case SIGTRAP:
      return si->si_code == SI_KERNEL ? 3 : 1;
  }
  return -1;
}

static void fault_handler(int sig, siginfo_t* si, void* context) {
  ucontext_t* uc = context;
  /* Only faults of the processor; a signal sent by a process (kill,
   * tgkill, sigqueue: si_code <= 0 apart from SI_KERNEL) has no trap. */
  if (si && (si->si_code > 0 || si->si_code == SI_KERNEL)) {
    uc->uc_mcontext.gregs[REG_TRAPNO] = trap_number(sig, si);
  }
  const InfoHandler handler = wine_handlers[sig];
  if (handler) handler(sig, si, context);
}

int sigaction(int sig, const struct sigaction* act, struct sigaction* old) {
  if (!real_sigaction) real_sigaction = (SigactionFn)dlsym(RTLD_NEXT, "sigaction");
  if (!is_fault_signal(sig)) return real_sigaction(sig, act, old);

  const InfoHandler previous = wine_handlers[sig];
  int result;
  if (act && (act->sa_flags & SA_SIGINFO)) {
    struct sigaction wrapped = *act;
    wrapped.sa_sigaction = fault_handler;
    wine_handlers[sig] = act->sa_sigaction;
    result = real_sigaction(sig, &wrapped, old);
    if (result != 0) wine_handlers[sig] = previous;
  } else {
    /* SIG_DFL, SIG_IGN or a handler without siginfo: nothing to fill. */
    result = real_sigaction(sig, act, old);
    if (result == 0 && act) wine_handlers[sig] = NULL;
  }
  /* The caller sees its own handler, not the wrapper. */
  if (result == 0 && old && old->sa_sigaction == fault_handler) old->sa_sigaction = previous;
  return result;
}

__attribute__((constructor)) static void forget_preload(void) { unsetenv("LD_PRELOAD"); }
