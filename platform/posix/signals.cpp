#include "platform/signals.hpp"

#include <algorithm>
#include <cfenv>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <pthread.h>
#include <sys/resource.h>

namespace platform {

static_assert(sizeof(std::fenv_t) <= sizeof(FloatState::bytes));

void enable_float_traps() {
    std::feclearexcept(FE_ALL_EXCEPT);
    feenableexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
}

bool float_traps_work() {
    constexpr int kFatal = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;
    return (fegetexcept() & kFatal) == kFatal;
}

FloatState hold_float_state() {
    FloatState state{};
    std::fenv_t env;
    std::feholdexcept(&env); // saves, clears the flags, masks everything
    std::memcpy(state.bytes, &env, sizeof env);
    return state;
}

void restore_float_state(const FloatState& state) {
    std::fenv_t env;
    std::memcpy(&env, state.bytes, sizeof env);
    std::fesetenv(&env); // the flags raised meanwhile are dropped with the masked state
}

bool fatal_float_flags_raised() {
    return std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW) != 0;
}

namespace {

FloatTrapHandler float_handler = nullptr;
FaultHandler integer_divide_handler = nullptr;
FaultHandler stack_overflow_handler = nullptr;
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
        if (integer_divide_handler) integer_divide_handler();
    } else if (float_handler) {
        float_handler(float_trap_of(info->si_code));
    }
    // A handler that returns would run the failing instruction again: take the default action.
    signal(SIGFPE, SIG_DFL);
}

void on_sigsegv(int, siginfo_t* info, void*) {
    auto addr = reinterpret_cast<std::uintptr_t>(info->si_addr);
    constexpr std::uintptr_t kSlack = std::uintptr_t{1} << 20;
    bool near_stack = stack_high != 0 && addr + kSlack >= stack_low && addr < stack_high;
    if (near_stack && stack_overflow_handler) stack_overflow_handler();
    // Not a stack overflow (or the handler returned): the platform's default action.
    signal(SIGSEGV, SIG_DFL);
}

} // namespace

namespace {

void install_sigfpe() {
    struct sigaction action {};
    action.sa_sigaction = on_sigfpe;
    action.sa_flags = SA_SIGINFO;
    sigemptyset(&action.sa_mask);
    sigaction(SIGFPE, &action, nullptr);
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

void set_float_trap_handler(FloatTrapHandler handler) {
    float_handler = handler;
    install_sigfpe();
}

void set_integer_divide_handler(FaultHandler handler) {
    integer_divide_handler = handler;
    install_sigfpe();
}

void set_stack_overflow_handler(FaultHandler on_stack_overflow) {
    stack_overflow_handler = on_stack_overflow;

    find_stack_bounds();

    // The handler cannot run on the stack that has just overflowed.
    static char alternate_stack[1 << 16];
    stack_t ss{};
    ss.ss_sp = alternate_stack;
    ss.ss_size = sizeof alternate_stack;
    sigaltstack(&ss, nullptr);

    struct sigaction action {};
    action.sa_sigaction = on_sigsegv;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    sigaction(SIGSEGV, &action, nullptr);
}

void ignore_write_signals() {
    signal(SIGPIPE, SIG_IGN);
    signal(SIGXFSZ, SIG_IGN);
}

} // namespace platform
