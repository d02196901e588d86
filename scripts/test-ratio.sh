#!/bin/sh
# Prints how many non-blank C++ lines the tests have against the whole code base (tests, program,
# emulator and build tools; benchmarks not counted) and their share. The aim is a quarter to a
# third; more than 35 % exits with status 1. Counts the files git knows, so build trees are left out.
cd "$(dirname "$0")/.." || exit 2
count() { git ls-files -z -- "$@" | xargs -0 cat 2>/dev/null | grep -c -v '^[[:space:]]*$'; }
tests=$(count 'tests/*.cpp' 'tests/*.h' 'tests/**/*.cpp' 'tests/**/*.h' 'fuzz/*.cpp' 'fuzz/*.h')
all=$(count '*.cpp' '*.h' ':!bench/*')
code=$((all - tests))
awk -v t="$tests" -v c="$code" -v a="$all" 'BEGIN {
    r = a ? 100 * t / a : 0
    printf "Test lines: %d, code lines: %d, tests are %.1f %% of all C++ lines (aim 25-33 %%, at most 35 %%)\n", t, c, r
    exit (r > 35) }'
