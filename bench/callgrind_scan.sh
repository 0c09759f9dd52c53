#!/bin/bash
# Counts the scan of the generated 20,000- and 160,000-statement applications (load_bench's
# /0 and /2) under callgrind with its cache model: the first start and two ripples through
# a chain, the load left out. Reports instructions and last-level data misses (read and
# write) per statement, with a 32 MB and an 8 MB last-level cache.
#
#   bench/callgrind_scan.sh BUILD_DIR [OUT_DIR]
#
# BUILD_DIR holds a build of the callgrind_scan target (Release for the README's figures).
set -euo pipefail

build=${1:?usage: $0 BUILD_DIR [OUT_DIR]}
out=${2:-$(mktemp -d)}
driver=$build/bench/callgrind_scan
if [[ ! -x $driver ]]; then
    echo "no $driver: build the callgrind_scan target first" >&2
    exit 1
fi
mkdir -p "$out"

# label, then the driver's arguments: statements, bits, boards, contact groups, chain length
sizes=("20k 20000 40000 200 1 10000" "160k 160000 320000 1600 1 80000")
caches=("32MB 33554432" "8MB 8388608")

printf '%-6s %-5s %14s %10s %12s %10s\n' size LL instructions 'Ir/stmt' 'DLmr+DLmw' 'DLm/stmt'
for s in "${sizes[@]}"; do
    read -r label statements bits boards groups chain <<<"$s"
    for c in "${caches[@]}"; do
        read -r cname llsize <<<"$c"
        file=$out/callgrind.$label.$cname.out
        valgrind --tool=callgrind --cache-sim=yes --LL="$llsize,16,64" --instr-atstart=no \
            --callgrind-out-file="$file" \
            "$driver" "$statements" "$bits" "$boards" "$groups" "$chain" >/dev/null 2>"$file.log"
        # "events: Ir Dr Dw I1mr D1mr D1mw ILmr DLmr DLmw" names the columns of "totals: ...".
        read -r ir dlm < <(awk '
            /^events:/ { for (i = 2; i <= NF; ++i) col[$i] = i - 1 }
            /^totals:/ { print $(col["Ir"] + 1), $(col["DLmr"] + 1) + $(col["DLmw"] + 1) }
        ' "$file")
        awk -v l="$label" -v c="$cname" -v ir="$ir" -v m="$dlm" -v n="$statements" 'BEGIN {
            printf "%-6s %-5s %14d %10.0f %12d %10.2f\n", l, c, ir, ir / n, m, m / n }'
    done
done
echo "callgrind output in $out"
