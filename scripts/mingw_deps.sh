#!/usr/bin/env bash
# Cross-builds GMP and MPFR for 64-bit Windows (MinGW-w64, static libraries) from Debian's own
# source packages, the versions this machine's libgmp-dev and libmpfr-dev come from, into
# $CROUT_MINGW_CACHE (default ~/.cache/crout-mingw), outside the repository. The result goes to
# a folder named after both versions, and $CROUT_MINGW_CACHE/prefix points at it; when that
# folder is complete already, nothing is done. The machine's apt configuration is not touched:
# the source lists are made from its own, in a private folder.
set -euo pipefail
cache=${CROUT_MINGW_CACHE:-$HOME/.cache/crout-mingw}
host=x86_64-w64-mingw32
# The machine's own architecture: another one's packages (a cross build's) may stand beside them.
arch=$(dpkg --print-architecture)
gmp_version=$(dpkg-query -W -f='${source:Version}' "libgmp-dev:$arch")
mpfr_version=$(dpkg-query -W -f='${source:Version}' "libmpfr-dev:$arch")
# The folder's name keeps no epoch: make cannot have a colon in a path.
prefix="$cache/gmp-${gmp_version#*:}-mpfr-${mpfr_version#*:}"
if [ -f "$prefix/complete" ]; then
    ln -sfn "$prefix" "$cache/prefix"
    exit 0
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/lists/partial" "$work/archives/partial" "$work/parts"
# The machine's sources, as deb-src.
for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] && sed 's/^Types:.*/Types: deb-src/' "$f" >"$work/parts/$(basename "$f")"
done
if [ -f /etc/apt/sources.list ]; then
    grep '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' >"$work/sources.list" || true
fi
touch "$work/sources.list"
apt_options=(-o "Dir::Etc::SourceList=$work/sources.list" -o "Dir::Etc::SourceParts=$work/parts"
             -o "Dir::State::Lists=$work/lists" -o "Dir::Cache::Archives=$work/archives"
             -o "Dir::Cache::pkgcache=" -o "Dir::Cache::srcpkgcache=" -o "APT::Sandbox::User=root")
cd "$work"
# Quiet when it works; the whole log when it does not.
{ apt-get "${apt_options[@]}" update -qq &&
  apt-get "${apt_options[@]}" source -qq --download-only "gmp=$gmp_version" "mpfr4=$mpfr_version" &&
  dpkg-source -x gmp_*.dsc gmp && dpkg-source -x mpfr4_*.dsc mpfr; } >"$work/sources.log" 2>&1 ||
    { cat "$work/sources.log"; echo "mingw_deps.sh: Debian's GMP and MPFR sources could not be had"; exit 1; }

export CC=$host-gcc-posix CFLAGS="-O2"
# Debian's GMP tarball has no manual: configure still wants its folder.
mkdir -p gmp/doc
[ -f gmp/doc/Makefile.in ] || printf 'all:\ninstall:\ncheck:\nclean:\ndistclean:\n' >gmp/doc/Makefile.in
rm -rf "$prefix"
(cd gmp && ./configure -q --host=$host --disable-shared --enable-static --prefix="$prefix" \
     && make -s -j2 && make -s install) >"$work/gmp.log" 2>&1 || { tail -40 "$work/gmp.log"; exit 1; }
(cd mpfr && ./configure -q --host=$host --disable-shared --enable-static --prefix="$prefix" \
     --with-gmp="$prefix" && make -s -j2 && make -s install) >"$work/mpfr.log" 2>&1 ||
    { tail -40 "$work/mpfr.log"; exit 1; }
# The licence notices that go into the Windows zip.
mkdir -p "$prefix/share/licenses"
cp gmp/COPYING.LESSERv3 "$prefix/share/licenses/GMP-COPYING.LESSERv3"
cp mpfr/COPYING.LESSER "$prefix/share/licenses/MPFR-COPYING.LESSER"
touch "$prefix/complete"
ln -sfn "$prefix" "$cache/prefix"
echo "GMP $gmp_version and MPFR $mpfr_version for $host in $prefix"
