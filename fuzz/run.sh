#!/usr/bin/env bash
# Builds the source-reader fuzz target with clang and AddressSanitizer and runs it for a
# bounded time over the loader's test sources. As root on Debian it first installs, with
# apt-get, whatever the build needs and the machine lacks (clang and its fuzzer runtime
# included). Exits non-zero when the fuzzer finds a crash, a hang or a leak.
#   VELDRA_FUZZ_SECONDS   how long to fuzz (default 60)
#   VELDRA_FUZZ_BUILD_DIR where to build (default build-fuzz)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${VELDRA_FUZZ_SECONDS:-60}
build_dir=${VELDRA_FUZZ_BUILD_DIR:-build-fuzz}

apt_install() {
    echo "Installing: $*"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    apt-get install -y -q --no-install-recommends "$@"
}

bash scripts/install-deps.sh
if ! command -v clang++ >/dev/null; then
    apt_install clang
fi

# -fsanitize=fuzzer links compiler-rt's libFuzzer, packaged apart from clang itself.
probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' \
    >"$probe/probe.cpp"
if ! clang++ -fsanitize=fuzzer,address "$probe/probe.cpp" -o "$probe/probe" 2>/dev/null; then
    major=$(clang++ -dumpversion | cut -d. -f1)
    apt_install "libclang-rt-${major}-dev"
fi

cmake -S fuzz -B "$build_dir" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address -fno-omit-frame-pointer" \
    -DVELDRA_BUILD_FUZZ=ON
cmake --build "$build_dir" --target source_reader_fuzzer --parallel "$(nproc)"

# New inputs go to the build folder; the test sources are only read.
mkdir -p "$build_dir/corpus"
fuzzer="$build_dir/source_reader_fuzzer"
"$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
    -dict=fuzz/source.dict -print_final_stats=1 -artifact_prefix="$build_dir/" \
    "$build_dir/corpus" tests/data/loader
