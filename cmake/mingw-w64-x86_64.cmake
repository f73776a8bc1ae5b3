# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 compilers. The POSIX thread model
# is named explicitly: GoogleTest needs it, and the default compilers use the win32 model.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Windows 7 or later. The program calls what came with Vista (GetTickCount64, through the C++
# library, and SetThreadStackGuarantee); the headers offer nothing later than Windows 7, and
# the executable's header names 6.1 as the system and subsystem version it needs, so that an
# older Windows refuses it with a clear message instead of a missing entry point.
set(CMAKE_CXX_FLAGS_INIT "-D_WIN32_WINNT=0x0601")
# Everything linked in: the program needs no DLL beyond Windows' own.
set(CMAKE_EXE_LINKER_FLAGS_INIT
    "-static -Wl,--major-subsystem-version,6,--minor-subsystem-version,1,--major-os-version,6,--minor-os-version,1")

# The tests run under Wine.
find_program(CROUT_WINE wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR "${CROUT_WINE}")
