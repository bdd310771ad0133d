#!/usr/bin/env bash
# Screenshots of the Windows window program under Wine, for looking at: the main window, the
# variable setup dialog, its input box and About, in English, Deutsch and Russian.
#
#   tools/wine-screenshots.sh <Windows build folder> <picture folder>
#
# Run it under a display (xvfb-run -a -s "-screen 0 1280x1024x24" tools/wine-screenshots.sh ...).
set -euo pipefail
build=$(realpath "$1")
mkdir -p "$2"
pictures=$(realpath "$2")
source=$(cd "$(dirname "$0")/.." && pwd)
wine=$(command -v /usr/lib/wine/wine64 || command -v wine64 || command -v wine)
export WINEPREFIX=${WINEPREFIX:-$build/wineprefix} WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
driver="$build/tests/windriver.exe"
drive() { "$wine" "$driver" "$@"; }
# The text of a language key in a shipped language file.
textOf() { sed -n "s/^$2 //p" "$source/lang/$1.lng" | tr -d '\r'; }
shoot() { sleep 1; import -window root "$pictures/$1.png"; }

work=$(mktemp -d "${TMPDIR:-/tmp}/hexmoor-shots.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/app"
cp "$build/hexmoor.exe" "$work/app/"
cp -r "$source/lang" "$work/app/lang"

for language in English Deutsch Russian; do
    tag=$(echo "$language" | tr 'A-Z' 'a-z')
    start="$work/start-$tag"
    mkdir -p "$start/in"
    head -c 5000 /dev/urandom >"$start/in/a rather long input file name with spaces, data.bin"
    (cd "$start" && exec "$wine" "$work/app/hexmoor.exe") &
    pid=$!
    drive wait Hexmoor 60
    langId=$(sed -n 's/^LangID //p' "$source/lang/$language.lng" | tr -d '\r')
    drive select Hexmoor 1033 "${langId:-$language}" || drive select Hexmoor 1033 "$language"
    sleep 1
    shoot "main-$tag"

    setup=$(textOf "$language" 300)
    drive click Hexmoor 1018
    drive wait "$setup" 30
    shoot "setup-$tag"
    drive click "$setup" 1045
    inputBox=$(textOf "$language" 500)
    drive wait "$inputBox" 30
    shoot "inputbox-$tag"
    drive close "$inputBox"
    drive gone "$inputBox" 30
    drive close "$setup"
    drive gone "$setup" 30

    about=$(textOf "$language" 100)
    drive click Hexmoor 1040
    drive wait "$about" 30
    shoot "about-$tag"
    drive close "$about"
    drive gone "$about" 30
    drive click Hexmoor 1039
    wait "$pid" || true
done
echo "pictures in $pictures"
