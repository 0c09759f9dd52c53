#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

build_dir=${VELDRA_BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build_dir" --parallel "$(nproc)"

# The source, state-file and view-file readers and the peer-link records are fuzzed for a
# bounded time in all (shared out by fuzz/run.sh) before the tests, so that the tests'
# summary stays the last word. VELDRA_FUZZ_SECONDS=0 leaves it out.
if [ "${VELDRA_FUZZ_SECONDS:-60}" != "0" ]; then
    VELDRA_FUZZ_SECONDS=${VELDRA_FUZZ_SECONDS:-60} bash fuzz/run.sh
fi

# Tests are kept to a third of the code or less: C++ lines that are neither blank nor only
# a // comment, under src/ against under tests/.
code_lines() {
    git ls-files "$1" | grep -E '\.(cpp|h|hpp)$' | xargs cat | grep -c -v -E '^\s*(//.*)?$'
}
src_lines=$(code_lines src)
test_lines=$(code_lines tests)
awk -v s="$src_lines" -v t="$test_lines" \
    'BEGIN { printf "Lines of code: src %d, tests %d, tests/src %.2f\n", s, t, t / s }'

cd "$build_dir"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)"
