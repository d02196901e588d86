#!/bin/sh
# clang-tidy with .clang-tidy's checks over the product code, the folders of layers.txt: the
# libraries, both programs and the emulator (not the tests, benchmarks, fuzz targets or build
# tools). Reads the compile commands of a build folder (CMake writes compile_commands.json in
# every build):
#   scripts/tidy.sh [BUILD_DIR]        (default: $TAMIRA_BUILD_DIR or build)
# Exit status 1 on any finding. Generated files (moc, uic) are not checked.
set -e
cd "$(dirname "$0")/.."
build="${1:-${TAMIRA_BUILD_DIR:-build}}"
if [ ! -f "$build/compile_commands.json" ]; then
    echo "tidy: no $build/compile_commands.json; build first (scripts/build.sh)" >&2
    exit 2
fi
root=$(pwd)
# The product's folders, from the layer table; their headers are checked where they are included.
folders=$(sed -n 's/^\([a-z]*\):.*/\1/p' layers.txt)
headers="^.*/($(echo $folders | tr ' ' '|'))/[^/]*\.h\$"
# The files this platform builds: another platform's files (cmyconsole_win.cpp) are left out.
files=""
for folder in $folders; do
    for file in $(git ls-files "$folder/*.cpp"); do
        grep -q "\"file\": \"$root/$file\"" "$build/compile_commands.json" && files="$files $root/$file"
    done
done
out=$(mktemp)
trap 'rm -f "$out"' EXIT
# One clang-tidy per four files, as many at once as there are cores.
status=0
printf '%s\n' $files | xargs -P "$(nproc)" -n 4 clang-tidy -p "$build" --quiet --header-filter="$headers" > "$out" 2>&1 || status=$?
grep -E 'warning:|error:' "$out" | sort -u || true
count=$(grep -cE '(warning|error):' "$out" || true)
if [ "$status" -ne 0 ] || [ "$count" -ne 0 ]; then
    echo "tidy: $count findings in the product code (status $status); see above" >&2
    exit 1
fi
echo "tidy: $(printf '%s\n' $files | grep -c .) files, no findings"
