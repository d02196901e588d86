#!/bin/sh
# ctest -R run_sh: ./run.sh shows TAMIRAdesk with its demo device on the display it is given and,
# without one, on a virtual display of its own; once it has ended, whether the window was closed
# or the script was stopped, no process it started is left. Arguments: source and build folder.
# Third argument: tamira-wmclose. A failing test, too, first ends the run.sh session it started.
set -e
src=$1
build=$2
wmclose=$3
tmp=$(mktemp -d)
display_pid=""
runner=""
# First the session of a run.sh not seen to end: TERM to run.sh, which ends what it started; KILL for the rest.
trap 'set +e; [ -z "$runner" ] || { kill "$runner"; within 30 session_gone || pkill -KILL -s "$runner"; } 2>/dev/null
      [ -z "$display_pid" ] || { kill "$display_pid"; wait "$display_pid"; }; rm -rf "$tmp"' EXIT
trap 'exit 1' INT TERM HUP
unset QT_QPA_PLATFORM  # ctest's offscreen platform would show no window
# What the program remembers (window, language) goes to the test's own folder, not the user's.
export XDG_CONFIG_HOME="$tmp/config"
# No session bus, as on a machine without a desktop session: run.sh must then bring its own and
# leave nothing behind (with dbus-x11 installed, libdbus would otherwise launch a lasting one).
unset DBUS_SESSION_BUS_ADDRESS
# A home of its own: the user's remembered settings and recovery copies must not meet the program.
export HOME="$tmp" XDG_DATA_HOME="$tmp/data" XDG_CONFIG_HOME="$tmp/config"

fail() {
    echo "FAIL: $*" >&2
    kill -0 "$display_pid" 2>/dev/null || echo "(the test's own display, pid $display_pid, has gone)" >&2
    [ -z "$runner" ] || echo "(running in the session of run.sh: $(in_session "$runner" | xargs))" >&2
    cat "$tmp/run.out" >&2 2>/dev/null || true
    exit 1
}
# Runs the rest of the arguments every 0.1 s until it succeeds, for at most $1 seconds.
within() {
    n=$(($1 * 10)); shift
    until "$@"; do [ "$n" -gt 0 ] || return 1; n=$((n - 1)); sleep 0.1; done
}

in_session() { ps -eo sid=,comm= | awk -v s="$1" '$1 == s { print $2 }'; }
has_emulator() { in_session "$sid" | grep -qx tamira-emulator; }
session_gone() { [ -z "$(in_session "$runner")" ]; }
# Shown (mapped): a close request to a window not yet shown would leave the program running.
has_window() { window=$(DISPLAY=$display xdotool search --name '^TAMIRAdesk v' 2>/dev/null | head -n 1) &&
    [ -n "$window" ] && DISPLAY=$display xwininfo -id "$window" 2>/dev/null | grep -q 'State: IsViewable'; }
has_ended() { st=$(ps -o stat= -p "$runner") || true; [ -z "$st" ] || [ "${st#Z}" != "$st" ]; }
own_session() { [ "$(ps -o sid= -p "$runner" | tr -d ' ')" = "$runner" ]; }
virtual_display() { display=$(sed -n 's/.*virtual display \(:[0-9]*\);.*/\1/p' "$tmp/run.out") && [ -n "$display" ]; }

# $1: the display to give run.sh ("" for none); $2: "close" the window or "stop" the script;
# $3: the exit status run.sh must end with.
run() {
    DISPLAY=$1 TAMIRA_NO_BUILD=1 TAMIRA_BUILD_DIR=$build setsid sh "$src/run.sh" > "$tmp/run.out" 2>&1 &
    runner=$! sid=$!
    within 30 own_session || fail "run.sh has no session of its own"
    display=$1
    [ -n "$display" ] || within 60 virtual_display || fail "run.sh started no virtual display"
    within 60 has_window || fail "no TAMIRAdesk window on $display"
    within 60 has_emulator || fail "no demo device"
    if [ "$2" = close ]; then
        # As a window manager's close button: a key press would need the keyboard focus (tests/README.md).
        DISPLAY=$display "$wmclose" "$window" 2> /dev/null || echo "(the close request ended with $?)" >&2
    else
        kill -TERM "$runner"
    fi
    within 60 has_ended || fail "run.sh did not end"
    status=0
    wait "$runner" || status=$?
    left=$(in_session "$sid")
    [ -z "$left" ] || fail "left running after run.sh ($2, display '$1'): $left"
    [ "$status" = "$3" ] || fail "run.sh ($2, display '$1') ended with $status, not $3"
    runner=""
    echo "run.sh ($2, display '$1') ended with $status, nothing left"
}

# -noreset: the server would start afresh whenever xdotool's last look has ended, and turn away
# the program if it connected just then.
Xvfb -displayfd 3 -screen 0 1280x860x24 -nolisten tcp -noreset 3> "$tmp/display" 2> /dev/null &
display_pid=$!
within 30 grep -q . "$tmp/display" || fail "no display for the test"
# Clients must be able to connect before run.sh is given the display.
within 30 env DISPLAY=":$(cat "$tmp/display")" xdotool getdisplaygeometry > /dev/null 2>&1 ||
    fail "the test's display :$(cat "$tmp/display") takes no clients"
run ":$(cat "$tmp/display")" close 0
run "" close 0
run "" stop 143
