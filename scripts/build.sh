#!/bin/sh
# Configures and builds into ./build (or $TAMIRA_BUILD_DIR). Extra arguments go to CMake.
set -e
cd "$(dirname "$0")/.."
build="${TAMIRA_BUILD_DIR:-build}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$build" -j "$(nproc)"
