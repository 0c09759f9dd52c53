#!/bin/bash
# Counts the settle of the generated 20,000-statement application (one input at the head of
# a 10,000-statement chain, settled by one scan) in the program window, shown offscreen on the
# "Bit Status" page with the desktop's turn after each scan, and headless, under callgrind:
# instructions and last-level data misses per input, and the window's share over the
# headless figure. Counts do not depend on the machine's load, as times on a shared machine do.
#
#   bench/callgrind_window_scan.sh BUILD_DIR [RIPPLES] [OUT_DIR] [LL_BYTES]
#
# LL_BYTES sets the modelled last-level cache (8 MB by default, a share of a shared cache);
# 524288 models a core's own 512 kB second level. The files keep counts by instruction, for
# callgrind_annotate by line.
# BUILD_DIR holds a build of the callgrind_window_scan target (Release for the README's figures).
set -euo pipefail

build=${1:?usage: $0 BUILD_DIR [RIPPLES] [OUT_DIR] [LL_BYTES]}
ripples=${2:-8}
out=${3:-$(mktemp -d)}
ll=${4:-8388608}
driver=$build/bench/callgrind_window_scan
if [[ ! -x $driver ]]; then
    echo "no $driver: build the callgrind_window_scan target first" >&2
    exit 1
fi
mkdir -p "$out"

printf '%-9s %14s %12s %12s %10s\n' run instructions 'Ir/input' 'DLm/input' 'Ir ratio'
headless_ir=0
for mode in headless window; do
    file=$out/callgrind.$mode.out
    QT_QPA_PLATFORM=offscreen valgrind --tool=callgrind --cache-sim=yes --LL="$ll",16,64 \
        --instr-atstart=no --dump-instr=yes --callgrind-out-file="$file" \
        "$driver" "$mode" "$ripples" >/dev/null 2>"$file.log"
    read -r ir dlm < <(awk '
        /^events:/ { for (i = 2; i <= NF; ++i) col[$i] = i - 1 }
        /^totals:/ { print $(col["Ir"] + 1), $(col["DLmr"] + 1) + $(col["DLmw"] + 1) }
    ' "$file")
    if [[ $mode == headless ]]; then
        headless_ir=$ir
    fi
    awk -v m="$mode" -v ir="$ir" -v d="$dlm" -v n="$ripples" -v h="$headless_ir" 'BEGIN {
        printf "%-9s %14d %12.0f %12.0f %9.2fx\n", m, ir, ir / n, d / n, ir / h }'
done
echo "callgrind files in $out"
