#!/bin/sh
# ctest -R stop_signals: the programs as a user starts them. TAMIRAdesk given a FIFO shows its
# warning at once (opening it does not wait for a writer); a stop signal while that start-up box
# is open ends the program, as from its window, with 128 + the signal. A write past the file-size
# limit (SIGXFSZ) kills neither TAMIRAdesk nor servicetool. Arguments: the build folder.
set -e
build=$1
tmp=$(mktemp -d)
display_pid=""
program=""
trap '[ -z "$program" ] || kill -KILL "$program" 2>/dev/null || true
      [ -z "$display_pid" ] || { kill "$display_pid"; wait "$display_pid"; }; rm -rf "$tmp"' EXIT
unset QT_QPA_PLATFORM
# What the program remembers (window, language) goes to the test's own folder, not the user's.
export XDG_CONFIG_HOME="$tmp/config"

fail() { echo "FAIL: $*" >&2; exit 1; }
# Runs the rest of the arguments every 0.1 s until it succeeds, for at most $1 seconds.
within() {
    n=$(($1 * 10)); shift
    until "$@"; do [ "$n" -gt 0 ] || return 1; n=$((n - 1)); sleep 0.1; done
}
has_box() { DISPLAY=$display xdotool search --name '^Warning$' > /dev/null 2>&1; }
alive() { st=$(ps -o stat= -p "$program") && [ -n "$st" ] && [ "${st#Z}" = "$st" ]; }
has_ended() { ! alive; }
# SIGXFSZ (25) is ignored: bit 24 of the process's ignored-signal mask.
ignores_xfsz() {
    mask=$(sed -n 's/^SigIgn:[[:space:]]*//p' "/proc/$program/status" 2>/dev/null) && [ -n "$mask" ] &&
        [ $(( (0x$mask >> 24) & 1 )) = 1 ]
}

Xvfb -displayfd 3 -screen 0 1280x860x24 -nolisten tcp -noreset 3> "$tmp/display" 2> /dev/null &
display_pid=$!
within 30 grep -q . "$tmp/display" || fail "no display for the test"
display=":$(cat "$tmp/display")"
within 30 env DISPLAY="$display" xdotool getdisplaygeometry > /dev/null 2>&1 || fail "the display takes no clients"

mkfifo "$tmp/settings.tmo"
for signal in 15 1; do  # SIGTERM, SIGHUP (a background job starts with SIGINT ignored)
    name=SIG$(kill -l "$signal")
    DISPLAY=$display "$build/bin/TAMIRAdesk" "$tmp/settings.tmo" > "$tmp/out" 2>&1 &
    program=$!
    within 60 has_box || fail "TAMIRAdesk shows no warning for a FIFO (does it wait on it?)"
    within 10 ignores_xfsz || fail "TAMIRAdesk does not ignore SIGXFSZ"
    kill -XFSZ "$program"
    alive || fail "TAMIRAdesk ended on SIGXFSZ"
    kill -"$signal" "$program"
    within 30 has_ended || fail "$name with the start-up box open did not end TAMIRAdesk"
    status=0
    wait "$program" || status=$?
    [ "$status" = $((128 + signal)) ] || fail "TAMIRAdesk ended with $status on $name, not $((128 + signal))"
    echo "$name with the start-up box open: TAMIRAdesk ended with $status"
done

QT_QPA_PLATFORM=offscreen "$build/bin/servicetool" > "$tmp/out" 2>&1 &
program=$!
within 30 ignores_xfsz || fail "servicetool does not ignore SIGXFSZ"
kill -XFSZ "$program"
alive || fail "servicetool ended on SIGXFSZ"
kill -TERM "$program"
wait "$program" || true
program=""
echo "SIGXFSZ ends neither program"
