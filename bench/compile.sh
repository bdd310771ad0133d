#!/usr/bin/env bash
# Compile time and memory of the generated text in each byte style, with g++ and clang++-19 at
# -O2 -c, beside hand-written files: .incbin (the floor, both compilers) and #embed (clang), on
# random inputs of 1, 4 and 16 MiB. Each file is compiled the way hexmoor_embed() compiles it:
# header first, then the source. string-lean and embed-lean are those files without their
# fallback text (the MSVC element lines; for embed also the string form), to show what keeping
# them in the same file costs. object is the object file (--object): nothing is compiled, so its
# row is the time and memory of linking it into a program with a one-line main.
# Usage: compile.sh BUILD_DIR; BENCH_COMPILE_MIB="1 4" picks other sizes.
set -euo pipefail

build=${1:-build/release}
cli="$build/hexmoor-cli"
[ -x "$cli" ] || { echo "bench: $cli not found (run make release)"; exit 1; }
sizes=${BENCH_COMPILE_MIB:-1 4 16}
compilers=(g++)
command -v clang++-19 >/dev/null && compilers+=(clang++-19)
work=$(mktemp -d "${TMPDIR:-/tmp}/hexmoor-compile-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT

# "seconds KiB" of one compile (or, with -link, of linking the objects), from one run; "0 0"
# (shown as failed) when it does not compile.
measure() {
    local compiler=$1 unit=$2 step=(-O2 -c -w)
    if [ "$unit" = -link ]; then step=(); unit=("${@:3}"); fi
    if /usr/bin/time -f '%e %M' -o "$work/time" "$compiler" "${step[@]}" "${unit[@]}" \
        -o "$work/unit.o" 2> "$work/errors"; then
        tail -n 1 "$work/time"
    else
        head -n 3 "$work/errors" >&2
        echo "0 0"
    fi
}

echo "bench: compile time of the generated text (one run each, on a shared machine)"
printf '| compiler | input | style | time s | max RSS MB | time / array | RSS / array | time / floor | RSS / floor |\n'
printf '|---|---|---|---|---|---|---|---|---|\n'
for mib in $sizes; do
    head -c $((mib << 20)) /dev/urandom > "$work/input.bin"
    for style in array string embed incbin; do
        mkdir -p "$work/$style"
        "$cli" -q --style "$style" --array-qualifiers 2 --size-qualifiers 2 -o "$work/$style" \
            "$work/input.bin"
        printf '#include "arrays.h"\n#include "arrays.cpp"\n' > "$work/$style/unit.cpp"
    done
    mkdir -p "$work/object"
    "$cli" -q --object elf-x86-64 --array-qualifiers 2 --size-qualifiers 2 -o "$work/object" \
        "$work/input.bin"
    printf '#include "arrays.h"\nint main() { return g_input_bin_array[0] != 0; }\n' \
        > "$work/object/main.cpp"
    # What the fallback text in the same file costs: the string file without the element lines
    # (the MSVC text), the embed file without element and literal lines (no fallbacks).
    for lean in string-lean embed-lean; do
        mkdir -p "$work/$lean"
        cp "$work/${lean%-lean}/arrays.h" "$work/${lean%-lean}/unit.cpp" "$work/$lean/"
    done
    grep -v '^    0x' "$work/string/arrays.cpp" > "$work/string-lean/arrays.cpp" || true
    grep -v '^    0x\|^    "' "$work/embed/arrays.cpp" > "$work/embed-lean/arrays.cpp" || true
    # The hand-written files. Clang 19 in C++ reads a first #embed byte above 127 as negative: a
    # narrowing, harmless here.
    mkdir -p "$work/incbin-floor" "$work/embed-floor"
    printf '%s\n' '#include <stdint.h>' '#pragma clang diagnostic ignored "-Wc++11-narrowing"' \
        'extern const uint8_t floor_data[];' 'const uint8_t floor_data[] = {' \
        '#embed "../input.bin"' '};' > "$work/embed-floor/unit.cpp"
    printf '%s\n' '#include <stdint.h>' \
        "__asm__(\".pushsection .rodata\\n.globl floor_data\\nfloor_data:\\n.incbin \\\"$work/input.bin\\\"\\n.popsection\\n\");" \
        'extern "C" const uint8_t floor_data[];' > "$work/incbin-floor/unit.cpp"
    for compiler in "${compilers[@]}"; do
        read -r floor_t floor_m < <(measure "$compiler" "$work/incbin-floor/unit.cpp")
        array_t="" array_m=""
        "$compiler" -O2 -c "$work/object/main.cpp" -o "$work/object/main.o"
        for style in array string embed incbin string-lean embed-lean embed-floor incbin-floor \
            object; do
            # Without their fallbacks, the embed files have nothing for a compiler without #embed.
            case $style in embed-lean | embed-floor) [ "$compiler" = g++ ] && continue ;; esac
            if [ "$style" = incbin-floor ]; then
                t=$floor_t m=$floor_m
            elif [ "$style" = object ]; then
                read -r t m < <(measure "$compiler" -link "$work/object/main.o" \
                    "$work/object/arrays.o")
            else
                read -r t m < <(measure "$compiler" "$work/$style/unit.cpp")
            fi
            [ "$style" = array ] && array_t=$t array_m=$m
            awk -v c="$compiler" -v n="$mib" -v s="$style" -v t="$t" -v m="$m" \
                -v at="$array_t" -v am="$array_m" -v ft="$floor_t" -v fm="$floor_m" 'BEGIN {
                ratio = "%.2f"
                tf = (ft == "" || fm == 0) ? "-" : sprintf(ratio, t / (ft > 0 ? ft : 0.01))
                mf = (fm == "" || fm == 0) ? "-" : sprintf(ratio, m / fm)
                if (m == 0) { printf "| %s | %d MiB | %s | failed | | | | | |\n", c, n, s; exit }
                printf "| %s | %d MiB | %s | %.2f | %.0f | %.3f | %.3f | %s | %s |\n", c, n, s, t,
                       m / 1024, t / (at > 0 ? at : 0.01), m / (am > 0 ? am : m), tf, mf
            }'
        done
    done
done
