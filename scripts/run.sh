#!/usr/bin/env bash
# Installs what is missing, builds the program and opens it on an application source
# (default: the interlocking example). Without a display it serves the windows over VNC
# (scripts/vnc-display.sh) and says where to connect; a QT_QPA_PLATFORM already set is
# left to decide.
#   bash scripts/run.sh [SOURCE]
#   VELDRA_BUILD_DIR  where to build (default build, shared with scripts/test.sh)
set -euo pipefail

# A source named on the command line is read from where the caller stands.
if [ $# -gt 0 ]; then
    if [ ! -f "$1" ]; then
        echo "No such application source: $1" >&2
        exit 1
    fi
    source_file=$(realpath -- "$1")
fi
cd "$(dirname "$0")/.."
source_file=${source_file:-examples/interlocking.ml2}

bash scripts/install-deps.sh

# The same folder and build type as scripts/test.sh, so either reuses the other's build.
build_dir=${VELDRA_BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build_dir" --parallel "$(nproc)" --target veldra
veldra=$build_dir/src/veldra

# Qt warns without a private runtime folder, as root in particular.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    XDG_RUNTIME_DIR=$(mktemp -d)
    export XDG_RUNTIME_DIR
fi

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
    exec "$veldra" "$source_file"
fi

# No display: the program gets a virtual one, served over VNC on the first free port from
# 5900 by a server of its own, so that no viewer can take the simulator down with it.
port=5900
while (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; do
    port=$((port + 1))
done
host=$(hostname -I 2>/dev/null | awk '{ print $1 }' || true)
echo "No display here: VELDRA is served over VNC." \
    "Connect a VNC viewer to ${host:-localhost}:$port (Ctrl+C here ends it)."
exec bash scripts/vnc-display.sh "$port" "$veldra" "$source_file"
