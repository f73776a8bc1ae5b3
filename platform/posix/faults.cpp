// The faults as signals: SIGFPE for the arithmetic, SIGSEGV on an alternate stack for a stack
// overflow.

#include "platform/fault_entry.hpp"

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <pthread.h>
#include <sys/resource.h>

namespace platform {

namespace {

std::uintptr_t stack_low = 0;
std::uintptr_t stack_high = 0;

FloatTrap float_trap_of(int code) {
    switch (code) {
    case FPE_FLTDIV: return FloatTrap::DivideByZero;
    case FPE_FLTOVF: return FloatTrap::Overflow;
    case FPE_FLTUND: return FloatTrap::Underflow;
    case FPE_FLTRES: return FloatTrap::Inexact;
    default: return FloatTrap::Invalid; // FPE_FLTINV, FPE_FLTSUB and anything unnamed
    }
}

void on_sigfpe(int, siginfo_t* info, void*) {
    if (info->si_code == FPE_INTDIV || info->si_code == FPE_INTOVF) {
        if (fault_handlers.integer_divide) fault_handlers.integer_divide();
    } else if (fault_handlers.float_trap) {
        fault_handlers.float_trap(float_trap_of(info->si_code));
    }
    // A handler that returns would run the failing instruction again: take the default action.
    signal(SIGFPE, SIG_DFL);
}

void on_sigsegv(int, siginfo_t* info, void*) {
    auto addr = reinterpret_cast<std::uintptr_t>(info->si_addr);
    constexpr std::uintptr_t kSlack = std::uintptr_t{1} << 20;
    bool near_stack = stack_high != 0 && addr + kSlack >= stack_low && addr < stack_high;
    if (near_stack && fault_handlers.stack_overflow) fault_handlers.stack_overflow();
    // Not a stack overflow (or the handler returned): the platform's default action.
    signal(SIGSEGV, SIG_DFL);
}

void install(int signal_number, void (*handler)(int, siginfo_t*, void*), int flags) {
    struct sigaction action {};
    action.sa_sigaction = handler;
    action.sa_flags = SA_SIGINFO | flags;
    sigemptyset(&action.sa_mask);
    sigaction(signal_number, &action, nullptr);
}

// The main thread's stack, seen from the start-up on that thread: it reaches at most its size
// limit below this frame, which lies a little under the stack's top. Only without a limit are
// the bounds of its mapping looked up, which reads the process's memory map.
void find_stack_bounds() {
    const auto here = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
    rlimit limit{};
    if (getrlimit(RLIMIT_STACK, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) {
        stack_high = here;
        stack_low = here - std::min<std::uintptr_t>(here, limit.rlim_cur);
        return;
    }
    pthread_attr_t attr;
    if (pthread_getattr_np(pthread_self(), &attr) == 0) {
        void* addr = nullptr;
        std::size_t size = 0;
        if (pthread_attr_getstack(&attr, &addr, &size) == 0) {
            stack_low = reinterpret_cast<std::uintptr_t>(addr);
            stack_high = stack_low + size;
        }
        pthread_attr_destroy(&attr);
    }
}

} // namespace

void install_arithmetic_fault_entry() {
    install(SIGFPE, on_sigfpe, 0);
}

void install_stack_overflow_entry() {
    find_stack_bounds();
    // The handler cannot run on the stack that has just overflowed.
    static char alternate_stack[1 << 16];
    stack_t ss{};
    ss.ss_sp = alternate_stack;
    ss.ss_size = sizeof alternate_stack;
    sigaltstack(&ss, nullptr);
    install(SIGSEGV, on_sigsegv, SA_ONSTACK);
}

void ignore_write_signals() {
    signal(SIGPIPE, SIG_IGN);
    signal(SIGXFSZ, SIG_IGN);
}

} // namespace platform
