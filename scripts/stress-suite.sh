#!/bin/sh
# Runs the whole test suite (CTest, as ./test.sh does) several times in a row with busy loops
# beside it, as on a machine busy with something else, and prints each run's failures and every
# process that a test started and that was still running after the run.
#
#   scripts/stress-suite.sh [-r RUNS] [-l LOOPS] [CTEST ARGUMENTS...]
#
# RUNS defaults to 3, LOOPS (shell loops that each keep a core busy) to one per core; arguments
# after the options go to ctest (`-R run_sh`, `-L e2e`). It builds nothing: it runs the build
# in $TAMIRA_BUILD_DIR (default build; scripts/build.sh makes it) and keeps each run's CTest
# output in its stress/ folder. Every process a run starts carries the environment variable
# TAMIRA_STRESS_RUN, which tells it from the processes of anything else on the machine; one
# still there 30 s after its run is reported and killed, so that the next run starts clean.
# The busy loops end with the script, however it ends, and so does a run it was in. Exit status 0
# only when every run passed and left nothing running.
set -e
cd "$(dirname "$0")/.."
runs=3
loops=$(nproc)
while [ $# -ge 2 ]; do
    case $1 in
        -r) runs=$2 ;;
        -l) loops=$2 ;;
        *) break ;;
    esac
    shift 2
done
case "$runs$loops" in *[!0-9]* | "") sed -n 's/^#   //p' "$0" >&2; exit 2 ;; esac
build="${TAMIRA_BUILD_DIR:-build}"
[ -f "$build/CTestTestfile.cmake" ] || { echo "no build in $build: run scripts/build.sh first" >&2; exit 2; }
case "$build" in /*) logs="$build/stress" ;; *) logs="$(pwd)/$build/stress" ;; esac
mkdir -p "$logs"

busy=""
mark=""
# On any exit the busy loops end, and so does what an interrupted run had started.
trap '[ -z "$busy" ] || kill $busy 2>/dev/null
      [ -z "$mark" ] || marked "$mark" | while read -r pid _; do kill -KILL "$pid" 2>/dev/null; done; true' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP
for _ in $(seq "$loops"); do
    sh -c 'while :; do :; done' &
    busy="$busy $!"
done

# The processes whose environment has TAMIRA_STRESS_RUN=$1, as "pid command line".
marked() {
    for environ in $(grep -lzx "TAMIRA_STRESS_RUN=$1" /proc/[0-9]*/environ 2>/dev/null); do
        pid=${environ#/proc/}
        pid=${pid%/environ}
        echo "$pid $(tr '\0' ' ' < "/proc/$pid/cmdline" 2>/dev/null)"
    done
}

echo "The suite in $build: runs $runs, busy loops beside it $loops ($(nproc) cores); logs in $logs"
status=0
summary=""
for run in $(seq "$runs"); do
    mark="$$.$run"
    log="$logs/run-$run.log"
    start=$(date +%s)
    result=passed
    # In the background, so that a signal to this script is handled at once, not after the run.
    (cd "$build" && exec env TAMIRA_STRESS_RUN="$mark" QT_QPA_PLATFORM=offscreen \
        ctest --output-on-failure -j "$(nproc)" "$@") > "$log" 2>&1 &
    wait $! || result=FAILED
    seconds=$(($(date +%s) - start))
    echo "=== run $run of $runs: $result in $seconds s ($(grep -o '[0-9]* tests failed out of [0-9]*' "$log" || tail -n 1 "$log"))"
    if [ "$result" = FAILED ]; then
        status=1
        # The failed tests, then the lines in which they said why.
        sed -n '/The following tests FAILED/,$p' "$log" | grep -v '^Errors while running' || true
        grep -E 'FAIL!|^FAIL:|Loc: \[|did not|Timeout|Exception' "$log" | head -n 40 || true
    fi
    # A program ending with the test that started it may take a moment on a loaded machine.
    until=$(($(date +%s) + 30))
    while left=$(marked "$mark") && [ -n "$left" ] && [ "$(date +%s)" -lt "$until" ]; do
        sleep 0.5
    done
    if [ -n "$left" ]; then
        status=1
        echo "left running after run $run (now killed):"
        echo "$left" | sed 's/^/    /'
        echo "$left" | while read -r pid _; do kill -KILL "$pid" 2>/dev/null || true; done
        result="$result, left processes running"
    else
        echo "nothing left running"
    fi
    mark=""
    summary="$summary
run $run: $result ($seconds s)"
done
echo "=== summary:$summary"
exit "$status"
