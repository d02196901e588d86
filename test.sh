#!/bin/sh
# Installs what is missing, builds, and runs every test through CTest on the offscreen platform;
# then prints the tests' share of the C++ lines (scripts/test-ratio.sh). The exit status is
# CTest's: the share is a figure to watch, not a test.
set -e
cd "$(dirname "$0")"
scripts/setup.sh
scripts/build.sh
status=0
(cd "${TAMIRA_BUILD_DIR:-build}" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)" "$@") || status=$?
scripts/test-ratio.sh || true
exit "$status"
