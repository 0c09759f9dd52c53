#!/usr/bin/env bash
# Installs, with apt-get, whatever the build and the tests need and the machine lacks:
# Qt 6 (Widgets, Network, PrintSupport, Xml and Test all come with qt6-base-dev) for the
# windows, Qt's platform plugins (xcb for a display, real or virtual, offscreen for the
# tests; only recommended by Qt, so named here) and the fonts the windows are drawn in
# (Liberation Sans, to the widths the layouts were drawn for; Liberation Mono and Sans stand
# for the "Courier New" and "Arial" the program book names; DejaVu for the rest); Xvfb
# for the end-to-end runs of the real program and, with TigerVNC's scraping server, for
# serving it over VNC where there is no display; expat reads state files a piece at a
# time, pugixml reads the user's guide in its test.
# libxkbcommon-dev only quiets configuring: Qt's CMake files look for it, never needed by
# this build, and report "Could NOT find XKB" where it is missing. jemalloc is the program's
# allocator. clang-format 14, Debian's, is the one the sources are laid out by; the test run
# checks them with it. xdotool drives the real program on its virtual display for the capped
# runs of bench/capped_runs.py.
# Safe to run again: it asks apt only when a package is missing.
set -euo pipefail

packages=(
    g++
    cmake
    ninja-build
    libgtest-dev
    libgmock-dev
    libbenchmark-dev
    libabsl-dev
    libjemalloc-dev
    libpugixml-dev
    libexpat1-dev
    qt6-base-dev
    libxkbcommon-dev
    qt6-qpa-plugins
    fonts-dejavu-core
    fonts-liberation2
    xvfb
    xauth
    tigervnc-scraping-server
    clang-format-14
    xdotool
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
