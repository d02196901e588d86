#!/bin/sh
# Installs what is missing, builds, and starts TAMIRAdesk in its demo mode (tamiradesk --demo:
# the bundled device emulator attached as a demo device). Arguments go to TAMIRAdesk.
# Without a display it starts a virtual one and serves it over VNC on localhost (port 5900, or
# the next free one). TAMIRA_NO_BUILD=1 skips installing and building, for a tree built already.
# When the script ends (the window closed; the script interrupted, hung up or terminated),
# nothing it started is left running: the program takes its emulator with it, and the virtual
# display and the VNC server are stopped here.
set -e
cd "$(dirname "$0")"
if [ -z "$TAMIRA_NO_BUILD" ]; then
    scripts/setup.sh
    scripts/build.sh
fi
build="${TAMIRA_BUILD_DIR:-build}"
case "$build" in /*) ;; *) build="$(pwd)/$build" ;; esac
bin="$build/bin"
tmp=$(mktemp -d)
app=""
servers=""

stop() {
    kill "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}
cleanup() {
    trap - EXIT INT TERM HUP
    # The program first, while its display still exists: it stops its device emulator and
    # waits for it before it exits. Then the VNC server, then the display it watches.
    for pid in $app $servers; do
        stop "$pid"
    done
    rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

# Waits, at most 20 s, until file $1 has a line, or fails if process $2 has gone.
wait_for_line() {
    tries=200
    until grep -q . "$1" 2>/dev/null; do
        if ! kill -0 "$2" 2>/dev/null || [ "$tries" -eq 0 ]; then
            echo "$3 did not start:" >&2
            cat "$tmp"/*.log >&2
            exit 1
        fi
        tries=$((tries - 1))
        sleep 0.1
    done
}

if [ -z "$DISPLAY" ] && [ -z "$WAYLAND_DISPLAY" ]; then
    # Xvfb chooses a free display number and writes it down once it takes clients, so a display
    # left by another program is never reused. Without -noreset it starts afresh whenever its
    # last client leaves and turns away a client that connects meanwhile.
    Xvfb -displayfd 3 -screen 0 1280x860x24 -nolisten tcp -noreset 3> "$tmp/display" > "$tmp/xvfb.log" 2>&1 &
    servers="$!"
    wait_for_line "$tmp/display" "$!" "The virtual display"
    export DISPLAY=":$(cat "$tmp/display")"
    x11vnc -display "$DISPLAY" -localhost -autoport 5900 -nopw -forever -quiet \
        > "$tmp/vnc.port" 2> "$tmp/vnc.log" &
    servers="$! $servers"
    wait_for_line "$tmp/vnc.port" "$!" "The VNC server"
    port=$(sed -n 's/^PORT=//p' "$tmp/vnc.port")
    echo "No display here: TAMIRAdesk runs on the virtual display $DISPLAY;" \
         "connect a VNC viewer to localhost:$port to see it."
fi

if [ -z "$DBUS_SESSION_BUS_ADDRESS" ] && command -v dbus-daemon > /dev/null; then
    # Without a session bus, Qt's accessibility start-up makes libdbus launch one (dbus-launch)
    # that outlives the program. A bus of its own, ended after the program, leaves nothing; so
    # do the accessibility services the bus starts for it, which end with the bus.
    dbus-daemon --session --nofork --nosyslog --print-address=3 3> "$tmp/bus" > "$tmp/bus.log" 2>&1 &
    servers="$! $servers"
    wait_for_line "$tmp/bus" "$!" "The session bus"
    DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$tmp/bus")
    export DBUS_SESSION_BUS_ADDRESS
fi

# The program writes every line it exchanges to the debug stream; keep the terminal readable.
export QT_LOGGING_RULES="${QT_LOGGING_RULES:-tamira.link.debug=false}"
# In the background, so that a signal to this script is handled at once rather than after the
# program has ended.
"$bin/TAMIRAdesk" --demo "$@" &
app=$!
status=0
wait "$app" || status=$?
app=""
exit "$status"
