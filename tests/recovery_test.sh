#!/bin/sh
# ctest -R recovery: unsaved work survives a stop. TAMIRAdesk with its demo device reads the
# device's settings over a file that differs from them (an edit not saved: the title shows *) and
# is stopped by SIGTERM; started again it offers the copy, and Yes opens it unsaved; stopped by
# SIGHUP and started again, No keeps the copy for later; Discard deletes it. Every stop ends the
# program with 128 + the signal. Whatever fails, nothing started here is left running.
# Arguments: the source folder and the build folder.
set -e
source=$1
build=$2
tmp=$(mktemp -d)
display_pid=""
program=""
trap '[ -z "$program" ] || kill -KILL "$program" 2>/dev/null || true
      [ -z "$display_pid" ] || { kill "$display_pid"; wait "$display_pid"; }; rm -rf "$tmp"' EXIT
unset QT_QPA_PLATFORM
export HOME="$tmp" XDG_DATA_HOME="$tmp/data" XDG_CONFIG_HOME="$tmp/config"
copies="$tmp/data/TAMIRAdesk/recovery"

fail() { echo "FAIL: $*" >&2; exit 1; }
# Runs the rest of the arguments every 0.1 s until it succeeds, for at most $1 seconds.
within() {
    n=$(($1 * 10)); shift
    until "$@"; do [ "$n" -gt 0 ] || return 1; n=$((n - 1)); sleep 0.1; done
}
window() { DISPLAY=$display xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
shown() { [ -n "$(window "$1")" ]; }
press() { w=$(window "$1") && [ -n "$w" ] && DISPLAY=$display xdotool windowfocus --sync "$w" key $2; }
copies() { find "$copies" -name '*.recovery' 2>/dev/null | wc -l; }
alive() { st=$(ps -o stat= -p "$program") && [ -n "$st" ] && [ "${st#Z}" = "$st" ]; }
has_ended() { ! alive; }
start() {
    DISPLAY=$display "$build/bin/TAMIRAdesk" "$@" > "$tmp/out" 2>&1 &
    program=$!
}
# Stops the program with signal $1 and checks how it ended and how many copies it left ($2).
stop() {
    kill -"$1" "$program"
    within 60 has_ended || fail "signal $1 did not end TAMIRAdesk"
    status=0
    wait "$program" || status=$?
    program=""
    [ "$status" = $((128 + $1)) ] || fail "TAMIRAdesk ended with $status on signal $1, not $((128 + $1))"
    [ "$(copies)" = "$2" ] || fail "after signal $1: $(copies) recovery copies, not $2"
}
# An edit as the user makes it: Tamira -> PC Upload (Ctrl+U), again after a box that says the
# port is busy or not there yet.
edit() {
    tries=0
    until shown 'TAMIRAdesk v.*\*'; do
        [ "$tries" -lt 30 ] || fail "Tamira -> PC Upload from the demo device left no unsaved edit"
        tries=$((tries + 1))
        press '^Error$' Escape || true
        press '^TAMIRAdesk v' ctrl+u || true
        within 2 shown 'TAMIRAdesk v.*\*' || true
    done
}

Xvfb -displayfd 3 -screen 0 1280x860x24 -nolisten tcp -noreset 3> "$tmp/display" 2> /dev/null &
display_pid=$!
within 30 grep -q . "$tmp/display" || fail "no display for the test"
display=":$(cat "$tmp/display")"
within 30 env DISPLAY="$display" xdotool getdisplaygeometry > /dev/null 2>&1 || fail "the display takes no clients"

# The blank settings with another version stamp: the demo device holds the blank settings.
sed '1s/^:1000000001000100\(.*\)EE/:1000000001000500\1EA/' "$source/resources/pliki/clear.tmo" > "$tmp/doc.tmo"
start --demo "$tmp/doc.tmo"
within 60 shown '^TAMIRAdesk v' || fail "TAMIRAdesk shows no window"
edit
stop 15 1
echo "SIGTERM with unsaved edits: ended with 143, its copy kept"

start
within 60 shown '^TAMIRAdesk$' || fail "the copy is not offered at the next start"
press '^TAMIRAdesk$' y
within 60 shown "^TAMIRAdesk v.* --- $tmp/doc.tmo\*" || fail "Yes did not open the copy as $tmp/doc.tmo, unsaved"
stop 1 1
echo "Yes opened the copy unsaved; SIGHUP: ended with 129, its copy kept"

start
within 60 shown '^TAMIRAdesk$' || fail "the copy is not offered after SIGHUP"
press '^TAMIRAdesk$' n
within 60 shown '^TAMIRAdesk v' || fail "TAMIRAdesk shows no window after No"
! shown 'TAMIRAdesk v.*\*' || fail "No opened the copy"
stop 15 1
echo "No kept the copy"

start
within 60 shown '^TAMIRAdesk$' || fail "the copy is not offered after No"
press '^TAMIRAdesk$' "shift+Tab space" # Discard, beside No
within 60 shown '^TAMIRAdesk v' || fail "TAMIRAdesk shows no window after Discard"
stop 15 0
echo "Discard deleted the copy"
