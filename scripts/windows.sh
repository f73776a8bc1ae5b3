#!/usr/bin/env bash
# The Windows program: installs the MinGW-w64 compilers and Wine when missing, builds the windows
# preset (crout.exe and its tests),
# runs the tests under Wine in a private prefix, build/wine, with the Wine server started and
# stopped here, checks that crout.exe needs no DLL beyond Windows' own, and makes the zip and
# its SHA-256 file. It needs no git checkout: an unpacked source archive builds the same. The
# whole-program tests are the ci build's test programs run against crout.exe: build the ci
# preset first (scripts/test.sh does).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install_missing.sh --no-install-recommends g++-mingw-w64-x86-64-posix wine wine64 \
    dpkg-dev
source scripts/quiet_build.sh
quiet_build windows

export WINEPREFIX=$PWD/build/wine WINEDEBUG=-all
if [ ! -f "$WINEPREFIX/complete" ]; then
    rm -rf "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    # An unhandled exception ends the process with its code instead of starting a debugger.
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger \
        /d false /f >/dev/null 2>&1
    # COMSPEC comes from the environment that a test gives, not from the registry.
    wine reg delete 'HKLM\System\CurrentControlSet\Control\Session Manager\Environment' \
        /v ComSpec /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/complete"
fi
# One server for all the tests: each start of a program then costs milliseconds. The first
# program also starts Wine's own background processes, which would keep its output open: let
# that be a program whose output nobody waits for.
wineserver -p
trap 'wineserver -k 2>/dev/null || true' EXIT
wine cmd /c exit >/dev/null 2>&1 </dev/null
# A fresh prefix's first runs now and then fail to start a program (it ends at once, with no
# output): a test that fails is run once more, and only a second failure fails the step.
if ! ctest --preset windows; then
    echo "windows: running the failed tests once more"
    ctest --preset windows --rerun-failed
fi

dlls=$(x86_64-w64-mingw32-objdump -p build/windows/program/crout.exe | sed -n 's/^\tDLL Name: //p' |
    sort -u | tr '\n' ' ')
echo "crout.exe imports: $dlls"
for dll in $dlls; do
    case "${dll,,}" in
    kernel32.dll | msvcrt.dll | ucrtbase.dll | api-ms-win-crt-*) ;;
    *) echo "crout.exe needs $dll, which Windows does not have"; exit 1 ;;
    esac
done
(cd build/windows && cpack -G ZIP >/dev/null && ls -l crout-*-win64.zip &&
    sha256sum -c crout-*-win64.zip.sha256)
