#!/bin/sh
# The nightly run, too long for CI (.ci/run stays well under 20 minutes): scripts/seeded-faults.py
# over every fault of scripts/seeded-faults.txt, its report written to docs/seeded-faults.md.
# The faults are seeded into a copy of the clone's files (tracked and new, not ignored) in
# build-nightly/src (or $TAMIRA_NIGHTLY_DIR/src) and built in build-nightly/build, so the clone
# can be worked in meanwhile. Further arguments go to the script (e.g. -j 1). Over an hour on the
# project's 2-core machine (docs/seeded-faults.md gives the last run's time). Exit status: the
# script's, 0 only when every fault built and was caught.
set -e
cd "$(dirname "$0")/.."
top=$(pwd)
dir="${TAMIRA_NIGHTLY_DIR:-$top/build-nightly}"
# Afresh, so that a file removed from the clone is gone from the copy too; tar keeps the files'
# times, so the build folder rebuilds only what changed.
rm -rf "$dir/src"
mkdir -p "$dir/src"
git ls-files -co --exclude-standard -z | tar --null -cf - -T - | tar -xf - -C "$dir/src"
# The files the faults change are newer than their objects: a run ended by force (no time to put
# a file back and rebuild it) must not leave a fault built into the next run's untouched programs.
(cd "$dir/src" && sed -n 's/^file: *//p' scripts/seeded-faults.txt | sort -u | xargs touch)
exec python3 "$dir/src/scripts/seeded-faults.py" --build "$dir/build" --report "$top/docs/seeded-faults.md" "$@"
