#!/bin/sh
# Builds the libFuzzer targets with clang into build-fuzz and runs each for the given number of
# seconds (default 60), growing its corpus under fuzz/corpus. Inputs that crash are kept in
# build-fuzz as crash-* files.
set -e
cd "$(dirname "$0")/.."
seconds="${1:-60}"
scripts/setup.sh packages.txt packages-fuzz.txt
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DTAMIRA_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
targets="hexrecord settingsfile libraryfile emulator"
for t in $targets; do
    cmake --build build-fuzz --target "fuzz_$t" -j "$(nproc)"
done
for t in $targets; do
    echo "== fuzz_$t for $seconds s"
    (cd build-fuzz && ASAN_OPTIONS=detect_leaks=0 "./bin/fuzz_$t" -max_total_time="$seconds" -max_len=4096 \
        "../fuzz/corpus/$t")
done
