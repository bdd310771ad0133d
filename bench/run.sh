#!/usr/bin/env bash
# Times hexmoor-cli against `xxd -i` and against `cat` of a file as big as its output, on one
# random input, likewise the object file of it (--object), and checks that memory stays flat as
# the input grows. Usage: run.sh BUILD_DIR
set -euo pipefail

build=${1:-build/release}
cli="$build/hexmoor-cli"
[ -x "$cli" ] || { echo "bench: $cli not found (run make release)"; exit 1; }
size_mib=${BENCH_MIB:-64}
work=$(mktemp -d "${TMPDIR:-/tmp}/hexmoor-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT

# Seconds taken by the command, best of the given number of runs. Before each run its output file
# is removed and earlier writes are synced, so no run waits for another one's write-back.
best_of() {
    local runs=$1 output=$2; shift 2
    local best=""
    for ((i = 0; i < runs; i++)); do
        local start end t
        rm -f "$output"
        sync
        start=$(date +%s.%N)
        "$@"
        end=$(date +%s.%N)
        t=$(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }')
        if [ -z "$best" ] || awk -v t="$t" -v b="$best" 'BEGIN { exit !(t < b) }'; then best=$t; fi
    done
    printf '%.3f' "$best"
}

run_cli() { "$cli" -q --no-header -o "$work/out" "$1"; }
run_xxd() { xxd -i "$1" > "$work/xxd.c"; }
run_cat() { cat "$1" > "$work/cat.out"; }
run_object() { "$cli" -q --no-header --object elf-x86-64 -o "$work/obj" "$1"; }

# Maximum resident memory in KiB of one conversion of the file.
max_rss() {
    /usr/bin/time -f '%M' -o "$work/rss" "$cli" -q --no-header -o "$work/out" "$1"
    cat "$work/rss"
}

echo "bench: making a ${size_mib} MiB random input in $work"
head -c $((size_mib << 20)) /dev/urandom > "$work/input.bin"
cat "$work/input.bin" > /dev/null # warm the file cache for every contender alike

t_cli=$(best_of 3 "$work/out/arrays.cpp" run_cli "$work/input.bin")
source_bytes=$(stat -c %s "$work/out/arrays.cpp")
cp "$work/out/arrays.cpp" "$work/reference.txt"
cat "$work/reference.txt" > /dev/null
t_cat=$(best_of 3 "$work/cat.out" run_cat "$work/reference.txt")
t_xxd=$(best_of 1 "$work/xxd.c" run_xxd "$work/input.bin")
t_object=$(best_of 3 "$work/obj/arrays.o" run_object "$work/input.bin")
object_bytes=$(stat -c %s "$work/obj/arrays.o")
cp "$work/obj/arrays.o" "$work/reference.o"
cat "$work/reference.o" > /dev/null
t_cat_object=$(best_of 3 "$work/cat.out" run_cat "$work/reference.o")

echo "input:             $((size_mib)) MiB, generated source $((source_bytes >> 20)) MiB"
echo "hexmoor-cli:       ${t_cli} s"
echo "xxd -i:            ${t_xxd} s"
echo "cat (same output): ${t_cat} s"
echo "--object:          ${t_object} s for a $((object_bytes >> 20)) MiB object, cat of it ${t_cat_object} s"
awk -v x="$t_xxd" -v h="$t_cli" -v c="$t_cat" -v o="$t_object" -v oc="$t_cat_object" 'BEGIN {
    printf "xxd -i / hexmoor-cli:  %.1f (goal: at least 20)\n", x / h
    printf "hexmoor-cli / cat:     %.2f (goal: at most 2)\n", h / c
    printf "--object / cat:        %.2f (goal: at most 2)\n", o / oc
}'

rm -rf "$work/xxd.c" "$work/cat.out" "$work/reference.txt" "$work/reference.o" "$work/obj"
rss_small=$(max_rss "$work/input.bin")
cat "$work/input.bin" "$work/input.bin" "$work/input.bin" "$work/input.bin" > "$work/input4.bin"
rm -f "$work/input.bin"
rss_big=$(max_rss "$work/input4.bin")
echo "max RSS:           ${rss_small} KiB for ${size_mib} MiB, ${rss_big} KiB for $((4 * size_mib)) MiB"

# Many small inputs: the memory a run holds per input and its time per input stay small
# (goal: 20,000 inputs under 100 MB in either mode).
files=${BENCH_FILES:-20000}
echo "bench: making $files small inputs in $work/many"
for ((i = 0; i < files; i++)); do
    ((i % 200 == 0)) && mkdir -p "$work/many/d$((i / 200))"
    printf 'input %d\n' "$i" > "$work/many/d$((i / 200))/f$i.bin"
done
many_run() {
    local label=$1; shift
    rm -rf "$work/many-out"
    /usr/bin/time -f '%e %M' -o "$work/many-time" "$cli" -q -r -o "$work/many-out" "$@" "$work/many"
    read -r seconds rss < "$work/many-time"
    printf '%-19s%s s, max RSS %s KiB for %s inputs (goal: under 100 MB)\n' "$label:" "$seconds" \
        "$rss" "$files"
}
many_run "-r --index" --index assets
many_run "--separate-files" --separate-files --array-qualifiers 2 --size-qualifiers 2
