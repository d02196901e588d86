#!/bin/sh
# Installs what is missing, builds, and runs every test through CTest on the offscreen platform.
set -e
cd "$(dirname "$0")"
scripts/setup.sh
scripts/build.sh
cd "${TAMIRA_BUILD_DIR:-build}"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)" "$@"
