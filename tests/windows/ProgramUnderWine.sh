#!/usr/bin/env bash
# The real hexmoor.exe under Wine, driven from outside as a user would: it opens titled
# "Hexmoor" (found by xdotool), a file with a non-ASCII name is added through the file dialog and
# converted, and Exit ends it with 1039 and writes the same settings.cfg as the Linux program.
#
#   ProgramUnderWine.sh <wine> <hexmoor.exe> <windriver.exe> <source dir> <build dir>
#                       [<Linux hexmoor> <Linux hexmoor-cli>]
#
# Needs a display (make test runs the tests under Xvfb) and xdotool. The Linux programs give the
# expected bytes; without them only the sizes are checked.
set -u
wine=$1 program=$2 driver=$3 source=$4 build=$5 linuxGui=${6:-} linuxCli=${7:-}
export WINEPREFIX=${WINEPREFIX:-$build/wineprefix} WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

work=$(mktemp -d "${TMPDIR:-/tmp}/hexmoor-wine.XXXXXX")
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() { echo "FAILED: $*" >&2; failures=$((failures + 1)); }
drive() { "$wine" "$driver" "$@"; }
winPath() { "$wine" winepath -w "$1" 2>/dev/null | tr -d '\r'; }

# Paths beyond 260 characters where Windows allows them (Wine never limits them).
grep -q '<longPathAware[^>]*>true</longPathAware>' "$program" || fail "no longPathAware in the manifest"

command -v xdotool >/dev/null || { echo "xdotool is not installed" >&2; exit 1; }
[ -n "${DISPLAY:-}" ] || { echo "no display: run under xvfb-run" >&2; exit 1; }

# The program as shipped: the languages beside the executable, started from another folder.
mkdir -p "$work/app" "$work/start" "$work/in"
cp "$program" "$work/app/hexmoor.exe"
cp -r "$source/lang" "$work/app/lang"
input="$work/in/Grüße ü.bin"
head -c 3000 /dev/urandom >"$input"

(cd "$work/start" && exec "$wine" "$work/app/hexmoor.exe" --ignored-argument) &
pid=$!

# Found by its title from outside, as a desktop sees it.
timeout 90 xdotool search --sync --onlyvisible --name '^Hexmoor$' >/dev/null ||
    { fail "no window titled Hexmoor appeared"; exit 1; }
drive wait Hexmoor 30 || { fail "the driver does not see the window"; exit 1; }

# Add: the file dialog opens; its file name field takes the path, Open adds it.
drive click Hexmoor 1002
drive wait "Add input files" 30 || { fail "no file dialog titled 'Add input files'"; exit 1; }
timeout 30 xdotool search --sync --onlyvisible --name '^Add input files$' >/dev/null ||
    fail "xdotool does not see the file dialog"
sleep 1
drive typefocused "Add input files" "$(winPath "$input")" || fail "no focused file name field"
drive click "Add input files" 1
drive gone "Add input files" 30 || fail "the file dialog did not close"

# Convert, then wait until Convert is enabled again with the output written.
output="$work/start/out/arrays.cpp"
drive click Hexmoor 1015
for _ in $(seq 1 300); do
    [ -s "$output" ] && drive enabled Hexmoor 1015 && break
    sleep 0.2
done
[ -s "$output" ] || fail "no output file $output"
grep -q "Grüße ü.bin" "$output" || fail "the output does not name the input"
if [ -n "$linuxCli" ] && [ -s "$output" ]; then
    # The same conversion by the Linux command line gives the same text apart from the banner's
    # time (the first comment block). The window's arrays are static const; the command line's
    # default drops static so that its header reaches them.
    (cd "$work/in" && "$linuxCli" -q --array-qualifiers 3 --size-qualifiers 3 \
        -o "$work/linux-out" "Grüße ü.bin" >/dev/null 2>&1)
    if ! diff <(sed '1,/\*\//d' "$output" | tr -d '\r') \
              <(sed '1,/\*\//d' "$work/linux-out/arrays.cpp" | tr -d '\r') >"$work/diff.txt"; then
        fail "the window's output differs from hexmoor-cli's:"
        head -20 "$work/diff.txt" >&2
    fi
fi

# Exit ends the program with 1039 (a POSIX parent sees its low eight bits) and saves settings.
drive click Hexmoor 1039
for _ in $(seq 1 150); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
done
if kill -0 "$pid" 2>/dev/null; then
    fail "Exit did not end the program"
else
    wait "$pid"
    code=$?
    pid=
    [ "$code" -eq $((1039 & 0xFF)) ] || fail "exit status $code, expected $((1039 & 0xFF))"
fi
settings="$work/start/settings.cfg"
size=$(stat -c %s "$settings" 2>/dev/null || echo 0)
[ "$size" -eq 130 ] || fail "settings.cfg has $size bytes, expected 130"

# The Linux program, started in a fresh folder and ended through Exit the same way (keyboard:
# Shift+Tab from the file list reaches Exit), writes the same bytes.
if [ -n "$linuxGui" ]; then
    mkdir -p "$work/linux"
    (cd "$work/linux" && exec "$linuxGui") 2>"$work/linux-stderr.txt" &
    pid=$!
    if timeout 60 xdotool search --sync --onlyvisible --name '^Hexmoor$' windowfocus --sync \
        >/dev/null; then
        sleep 0.5
        xdotool key shift+Tab
        sleep 0.3
        xdotool key space
    fi
    for _ in $(seq 1 150); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.2
    done
    kill "$pid" 2>/dev/null
    pid=
    cmp "$settings" "$work/linux/settings.cfg" ||
        fail "settings.cfg differs from the Linux program's"
fi

[ "$failures" -eq 0 ] && echo "hexmoor.exe under Wine: all checks passed"
exit $((failures > 0))
