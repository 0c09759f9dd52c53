#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: once built by the
# system's compiler (g++), optimised, and once built by clang under AddressSanitizer and
# UndefinedBehaviorSanitizer, the build the fuzzing also uses.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/install-deps.sh

# The sources keep the house format (.clang-format, as clang-format 14 lays it out): a file
# out of it fails the run at once, before anything is built. The files checked are those
# git tracks, or, outside a git checkout, every C++ file of those folders.
format_folders=(src tests bench fuzz)
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    pathspecs=()
    for folder in "${format_folders[@]}"; do
        pathspecs+=("$folder/*.cpp" "$folder/*.h")
    done
    git ls-files -z -- "${pathspecs[@]}"
else
    find "${format_folders[@]}" -type f \( -name '*.cpp' -o -name '*.h' \) -print0
fi | xargs -0 -r -n 64 -P "$(nproc)" clang-format-14 --dry-run --Werror

build_dir=${VELDRA_BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build_dir" --parallel "$(nproc)"

# The source, state-file and view-file readers and the peer-link records are fuzzed for a
# bounded time in all (shared out by fuzz/run.sh), in the sanitized build.
# VELDRA_FUZZ_SECONDS=0 leaves it out.
sanitized_dir=${VELDRA_SANITIZED_BUILD_DIR:-build-sanitize}
if [ "${VELDRA_FUZZ_SECONDS:-60}" != "0" ]; then
    VELDRA_FUZZ_SECONDS=${VELDRA_FUZZ_SECONDS:-60} VELDRA_FUZZ_BUILD_DIR="$sanitized_dir" \
        bash fuzz/run.sh
fi

# The whole suite under the sanitizers; VELDRA_SANITIZE=0 leaves it out. A report of
# either sanitizer fails the test that raised it.
if [ "${VELDRA_SANITIZE:-1}" != "0" ]; then
    bash scripts/configure-sanitized.sh "$sanitized_dir"
    cmake --build "$sanitized_dir" --parallel "$(nproc)"
    (
        cd "$sanitized_dir"
        export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
        export LSAN_OPTIONS="suppressions=$root/tests/sanitizers/lsan.supp"
        export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
        QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)"
    )
fi

# The optimised build's tests last, so that their summary stays the last word.
cd "$build_dir"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)"
