#!/usr/bin/env bash
# Builds the fuzz targets (the source reader, the state-file reader, the view-file reader
# and the peer-link records) with clang, AddressSanitizer and UndefinedBehaviorSanitizer,
# in the sanitized build of the whole project (scripts/configure-sanitized.sh, which also
# installs what is missing), and runs them for a bounded time in all: the source reader,
# the largest, gets half of it, the two file readers and the peer-link records a sixth each.
# Exits non-zero when the fuzzer finds a crash, a hang or a leak.
#   VELDRA_FUZZ_SECONDS   how long to fuzz in all (default 60)
#   VELDRA_FUZZ_BUILD_DIR where to build (default build-sanitize)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${VELDRA_FUZZ_SECONDS:-60}
build_dir=${VELDRA_FUZZ_BUILD_DIR:-build-sanitize}

bash scripts/configure-sanitized.sh "$build_dir"
cmake --build "$build_dir" \
    --target source_reader_fuzzer state_file_fuzzer view_file_fuzzer peer_record_fuzzer \
    --parallel "$(nproc)"

# Runs one target for its share (in sixths) of the time. New inputs go to the first corpus
# folder, in the build folder; the seeds in the source tree are only read.
fuzz() {
    local target=$1 share=$2 max_len=$3 seeds=$4
    shift 4
    local run_seconds=$((seconds * share / 6))
    [ "$run_seconds" -ge 1 ] || run_seconds=1
    mkdir -p "$build_dir/corpus-$target"
    "$build_dir/fuzz/$target" -max_total_time="$run_seconds" -timeout=10 -rss_limit_mb=2048 \
        -max_len="$max_len" -print_final_stats=1 -artifact_prefix="$build_dir/$target-" \
        "$@" "$build_dir/corpus-$target" "$seeds"
}

# The source reader reaches some forty thousand features. libFuzzer keeps every feature
# seen fewer than 256 times on its list of rare ones and searches that list, one entry
# after another, for each feature each input touches: with the default threshold that
# search, not the loading, took three quarters of the time, and a run managed a few
# hundred inputs a second. A feature counts as rare here until eight inputs have touched it.
# Inputs are held to 8 kB: every section and board kind fits in far less (the seeds are
# under 2 kB), and a corpus kept from run to run would otherwise fill with inputs of up to
# 64 kB, each slower to load. Five minutes of the source reader alone from a fresh corpus
# (VELDRA_FUZZ_SECONDS=600) averaged 1,098 inputs a second, on a machine busy with builds.
fuzz source_reader_fuzzer 3 8192 tests/data/loader -dict=fuzz/source.dict \
    -entropic_feature_frequency_threshold=8
fuzz state_file_fuzzer 1 16384 fuzz/state -dict=fuzz/state.dict
fuzz view_file_fuzzer 1 4096 fuzz/view
fuzz peer_record_fuzzer 1 4096 fuzz/peer -dict=fuzz/peer.dict
