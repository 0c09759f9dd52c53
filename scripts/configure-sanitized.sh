#!/usr/bin/env bash
# Configures the whole project, tests and fuzz targets, built by clang under
# AddressSanitizer and UndefinedBehaviorSanitizer, into the folder given (default
# build-sanitize). The core is also instrumented for coverage-guided fuzzing, so that one
# build serves both the fuzzing and the sanitized run of the suite. As root on Debian it
# first installs, with apt-get, whatever the build needs and the machine lacks (clang and
# its fuzzer runtime included).
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=${1:-build-sanitize}

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
if ! clang++ -fsanitize=fuzzer,address,undefined "$probe/probe.cpp" -o "$probe/probe" 2>/dev/null; then
    major=$(clang++ -dumpversion | cut -d. -f1)
    apt_install "libclang-rt-${major}-dev"
fi

launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
# Undefined behaviour stops the run rather than printing and going on, so that a test or
# the fuzzer reports it as a failure.
cmake -S . -B "$build_dir" -G Ninja "${launcher[@]}" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer" \
    -DVELDRA_BUILD_FUZZ=ON \
    -DVELDRA_JEMALLOC=OFF \
    -DVELDRA_BUILD_BENCHMARKS=OFF
