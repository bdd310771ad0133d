#!/bin/sh
# Follows the README's install commands word for word in a temporary copy of the tree, with a
# temporary prefix, and runs the installed hexmoor-cli once: the path a user takes must build.
# Usage: sh tests/install/ReadmeInstall.sh   (from anywhere; uses ccache when it is installed)
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
# A fixed place per checkout (inside its build folder, which the copy leaves out): the compiler
# cache then finds the same paths in every run, so only changed sources are compiled again.
work="$root/build/readme-install"
rm -rf "$work"
mkdir -p "$work"
trap 'rm -rf "$work"' EXIT INT TERM

# The indented command lines under the README's "### Installing" heading.
commands=$(awk '/^### Installing/ { on = 1; next }
                on && /^    / { print substr($0, 5); seen = 1; next }
                on && seen { exit }' "$root/README.md")
[ -n "$commands" ] || { echo "ReadmeInstall: no install commands found in README.md" >&2; exit 1; }

mkdir "$work/tree"
(cd "$root" && tar --exclude=./build --exclude=./.git -cf - .) | (cd "$work/tree" && tar -xf -)

# Only the environment makes it quick; the commands stay as written. The cache sees paths relative
# to the copy, so every copy shares it.
if command -v ccache >/dev/null; then
    export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache
    export CCACHE_BASEDIR="$work/tree" CCACHE_NOHASHDIR=true
fi
export CMAKE_BUILD_PARALLEL_LEVEL="${JOBS:-$(nproc)}"

cd "$work/tree"
printf '%s\n' "$commands" | while IFS= read -r line; do
    # The README's own prefix and the comment after the command give way to the temporary one.
    line=$(printf '%s' "$line" | sed -e 's/[[:space:]]*#.*$//' -e "s|--prefix [^ ]*|--prefix $work/prefix|")
    echo "ReadmeInstall: $line"
    sh -c "$line" >"$work/log" 2>&1 || { cat "$work/log" >&2; echo "ReadmeInstall: failed: $line" >&2; exit 1; }
done

cli="$work/prefix/bin/hexmoor-cli"
"$cli" -q -o "$work/out" "$root/README.md"
grep -q "g_readme_md_array\[\] = {" "$work/out/arrays.cpp" ||
    { echo "ReadmeInstall: the installed hexmoor-cli wrote no array" >&2; exit 1; }
echo "ReadmeInstall: built, installed and ran $("$cli" --version)"
