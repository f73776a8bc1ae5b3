#!/usr/bin/env bash
# The 64-bit ARM program: installs the cross compilers and qemu's user-mode emulator when
# missing, builds the arm64 preset (crout, crout-plot, the probe and their tests), runs the tests under qemu, compares a whole session's console,
# report, standard error and status with the ci build's program byte for byte, and makes and
# checks the arm64 Debian package. The whole-program tests are the ci build's test programs run
# against the arm64 programs: build the ci preset first (scripts/test.sh does).
set -euo pipefail
cd "$(dirname "$0")/.."
if ! dpkg --print-foreign-architectures | grep -qx arm64; then
    dpkg --add-architecture arm64
    apt-get update -qq
fi
# The arm64 C library (multiarch) tells dpkg-shlibdeps the package's dependencies.
bash scripts/install_missing.sh --no-install-recommends qemu-user g++-aarch64-linux-gnu \
    libc6:arm64 googletest dpkg-dev
source scripts/quiet_build.sh
quiet_build arm64
ctest --preset arm64

# A session of options 1, 2 and 3 on both processors: every byte the same.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
here=$PWD session=$PWD/tests/support/whole_session.txt
for build in ci arm64; do
    program=$here/build/ci/program/crout
    [ "$build" = ci ] || program=$here/build/arm64/qemu-crout
    mkdir "$work/$build"
    status=0
    (cd "$work/$build" && "$program" <"$session" >console 2>stderr) || status=$?
    echo "$status" >"$work/$build/status"
done
for file in console resul3.doc stderr status; do
    cmp "$work/ci/$file" "$work/arm64/$file"
done
echo "arm64 session: $(cat "$work"/arm64/{console,resul3.doc,stderr,status} | wc -c) bytes as on x86-64"

rm -f build/arm64/crout_*.deb
(cd build/arm64 && cpack -G DEB >cpack.log 2>&1) || { cat build/arm64/cpack.log; exit 1; }
deb=$(echo build/arm64/crout_*_arm64.deb)
dpkg-deb --info "$deb"
[ "$(dpkg-deb --field "$deb" Architecture)" = arm64 ] || { echo "$deb is not an arm64 package"; exit 1; }
mkdir "$work/package"
dpkg-deb --extract "$deb" "$work/package"
for program in crout crout-plot; do
    file -b "$work/package/usr/bin/$program" | grep -q 'ARM aarch64' ||
        { echo "the package's $program is not an arm64 program"; exit 1; }
done
lintian --fail-on error "$deb"
