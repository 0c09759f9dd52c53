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

cd "$build_dir"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)"
