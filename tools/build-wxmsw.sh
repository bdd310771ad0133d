#!/usr/bin/env bash
# Builds wxMSW (static, x86_64-w64-mingw32) from Debian's wxwidgets3.2 source package, once per
# wx version and configure flags, into a cache folder outside the tree; prints that folder.
#
#   tools/build-wxmsw.sh            build if needed, then print the install prefix
#   tools/build-wxmsw.sh --prefix   only print the prefix the build would use
#
# The Windows build uses the same wx version as the Linux one (the installed libwxgtk3.2-dev), so
# both windows behave alike. The source comes through private apt source lists, made from the
# machine's own (so any mirror serves), and a private lists folder, so the machine's apt
# configuration stays as it is. A prefix counts as complete only once its stamp file exists
# (written last); an interrupted build is thrown away and redone.
set -euo pipefail

HOST=x86_64-w64-mingw32
CACHE_ROOT=${HEXMOOR_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/hexmoor}
JOBS=${JOBS:-$(nproc)}

# The Debian tarball lacks the bundled image and XML libraries; the window needs none of them.
# zlib comes from Debian's libz-mingw-w64-dev.
CONFIGURE_FLAGS=(
    --host=$HOST --disable-shared --with-msw --enable-unicode
    --without-libpng --without-libjpeg --without-libtiff --without-expat --with-zlib=sys
    --without-regex --without-liblzma --without-opengl --disable-svg
    --disable-xrc --disable-html --disable-webview --disable-mediactrl --disable-stc --disable-aui
    --disable-ribbon --disable-propgrid --disable-richtext --disable-debug_flag
)
CC_POSIX=$HOST-gcc-posix
CXX_POSIX=$HOST-g++-posix

die() { echo "build-wxmsw: $*" >&2; exit 1; }

wxVersion() {
    local v
    v=$(dpkg-query -W -f='${source:Version}' libwxgtk3.2-dev 2>/dev/null || true)
    [ -n "$v" ] || v=$(apt-cache policy libwxgtk3.2-dev 2>/dev/null | awk '/Candidate:/ {print $2}')
    [ -n "$v" ] && [ "$v" != "(none)" ] || die "cannot tell the wxwidgets3.2 version (libwxgtk3.2-dev unknown to apt)"
    echo "$v"
}

# The machine's own apt sources as source entries, into $1/sources.list (one-line form) and
# $1/sources.list.d/*.sources (deb822): the same mirrors, suites, components and keys as the
# installed packages came through, whatever mirror that is.
writeSourceLists() {
    local etc=/etc/apt file
    mkdir -p "$1/sources.list.d"
    : >"$1/sources.list"
    for file in "$etc/sources.list" "$etc"/sources.list.d/*.list; do
        [ -f "$file" ] || continue
        sed -n 's/^[[:space:]]*deb\([[:space:]]\)/deb-src\1/p' "$file" >>"$1/sources.list"
    done
    for file in "$etc"/sources.list.d/*.sources; do
        [ -f "$file" ] || continue
        # Stanza by stanza: one that gives binary packages gives their sources instead.
        awk 'BEGIN { RS = ""; ORS = "\n\n" }
             match($0, /(^|\n)Types:[^\n]*/) {
                 types = substr($0, RSTART, RLENGTH)
                 if (types !~ /[: \t]deb([ \t]|$)/) next
                 sub(/(^|\n)Types:[^\n]*/, (RSTART > 1 ? "\n" : "") "Types: deb-src")
                 print
             }' "$file" >"$1/sources.list.d/$(basename "$file")"
    done
}

# The key changes with anything that changes the built library: flags, compiler, this recipe.
flagsHash() {
    { printf '%s\n' "${CONFIGURE_FLAGS[@]}"; $CXX_POSIX --version | head -1; echo recipe-1; } |
        sha256sum | cut -c1-12
}

VERSION=$(wxVersion)
PREFIX="$CACHE_ROOT/wxmsw-${VERSION//[^A-Za-z0-9.+-]/_}-$(flagsHash)"
STAMP="$PREFIX/.complete"

if [ "${1:-}" = --prefix ]; then
    echo "$PREFIX"
    exit 0
fi
[ -f "$STAMP" ] && { echo "$PREFIX"; exit 0; }

command -v $CXX_POSIX >/dev/null || die "$CXX_POSIX missing (install g++-mingw-w64-x86-64-posix)"
[ -f /usr/$HOST/lib/libz.a ] || die "MinGW zlib missing (install libz-mingw-w64-dev)"
command -v dpkg-source >/dev/null || die "dpkg-source missing (install dpkg-dev)"

mkdir -p "$CACHE_ROOT"
# One builder at a time; a second caller waits, then finds the stamp.
exec 9>"$PREFIX.lock"
flock 9
[ -f "$STAMP" ] && { echo "$PREFIX"; exit 0; }

WORK="$PREFIX.work"
rm -rf "$WORK" "$PREFIX"
mkdir -p "$WORK/apt/lists/partial" "$WORK/src"

writeSourceLists "$WORK/apt"
APT_OPTS=(-o Dir::Etc::SourceList="$WORK/apt/sources.list"
          -o Dir::Etc::SourceParts="$WORK/apt/sources.list.d"
          -o Dir::State::Lists="$WORK/apt/lists" -o Dir::Cache::pkgcache= -o Dir::Cache::srcpkgcache=
          -o Debug::NoLocking=1 -o APT::Sandbox::User=root)
echo "build-wxmsw: fetching wxwidgets3.2 $VERSION source" >&2
apt-get "${APT_OPTS[@]}" -qq update >&2
(cd "$WORK/src" && apt-get "${APT_OPTS[@]}" -qq source --only-source "wxwidgets3.2=$VERSION" >&2)
SRC=$(find "$WORK/src" -mindepth 1 -maxdepth 1 -type d -name 'wxwidgets3.2*' | head -1)
[ -n "$SRC" ] || die "apt-get source gave no source folder"

echo "build-wxmsw: configuring and building into $PREFIX (takes minutes, once)" >&2
mkdir -p "$WORK/build"
cd "$WORK/build"
"$SRC/configure" "${CONFIGURE_FLAGS[@]}" --prefix="$PREFIX" CC=$CC_POSIX CXX=$CXX_POSIX \
    CFLAGS=-O2 CXXFLAGS=-O2 >configure.log 2>&1 || { tail -40 configure.log >&2; die "configure failed"; }
make -j"$JOBS" >make.log 2>&1 || { tail -40 make.log >&2; die "make failed"; }
make install >install.log 2>&1 || { tail -40 install.log >&2; die "make install failed"; }
cp configure.log "$PREFIX/configure.log"
cd /
rm -rf "$WORK"
date -u +%FT%TZ >"$STAMP"
echo "$PREFIX"
