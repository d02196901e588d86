#!/bin/sh
# Builds the libFuzzer targets with clang into build-fuzz and runs each for the given number of
# seconds (default 60), starting from the seeds in fuzz/corpus; FUZZ_TARGETS (names separated
# by spaces) picks some. New inputs go to build-fuzz/corpus; inputs that crash are kept in
# build-fuzz as crash-* files (add them to fuzz/corpus once fixed, so the replay tests keep them).
set -e
cd "$(dirname "$0")/.."
seconds="${1:-60}"
scripts/setup.sh packages.txt packages-clang.txt
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DTAMIRA_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
targets="${FUZZ_TARGETS:-hexrecord settingsfile libraryfile emulator replies hexfile}"
for t in $targets; do
    cmake --build build-fuzz --target "fuzz_$t" -j "$(nproc)"
done
for t in $targets; do
    echo "== fuzz_$t for $seconds s"
    mkdir -p "build-fuzz/corpus/$t"
    (cd build-fuzz && ASAN_OPTIONS=detect_leaks=0 "./bin/fuzz_$t" -max_total_time="$seconds" -max_len=4096 \
        "corpus/$t" "../fuzz/corpus/$t")
done
