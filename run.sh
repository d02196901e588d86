#!/bin/sh
# Installs what is missing, builds, and starts TAMIRAdesk with the device emulator attached.
# Without a display it starts a virtual one and serves it over VNC on localhost:5900.
set -e
cd "$(dirname "$0")"
scripts/setup.sh
scripts/build.sh
bin="$(pwd)/${TAMIRA_BUILD_DIR:-build}/bin"
tmp=$(mktemp -d)
cleanup() { kill $(jobs -p) 2>/dev/null || true; rm -rf "$tmp"; }
trap cleanup EXIT INT TERM

# A demo device: passed self-test, some dive statistics, versions and a sound library.
"$bin/tamira-emulator" --log "$tmp/emulator.log" --flags 1 --max-depth 4217 --dive-time 3725 \
    --serial 4660 --hardware 2.1.0.3 --memory 4 --firmware 1.0.5.0 --language English \
    --library 1.2.0.0 > "$tmp/emulator.out" &
emulator=$!
while [ ! -s "$tmp/emulator.out" ]; do
    kill -0 "$emulator" 2>/dev/null || { echo "The device emulator did not start." >&2; exit 1; }
    sleep 0.1
done
export TAMIRA_PORT="$(head -n 1 "$tmp/emulator.out")"
echo "Device emulator on $TAMIRA_PORT (its traffic: $tmp/emulator.log)"

if [ -z "$DISPLAY" ] && [ -z "$WAYLAND_DISPLAY" ]; then
    export DISPLAY=:71
    Xvfb "$DISPLAY" -screen 0 1280x860x24 -nolisten tcp > "$tmp/xvfb.log" 2>&1 &
    while ! xdpyinfo > /dev/null 2>&1; do sleep 0.1; done
    x11vnc -display "$DISPLAY" -localhost -rfbport 5900 -nopw -forever -quiet > "$tmp/vnc.log" 2>&1 &
    echo "No display here: connect a VNC viewer to localhost:5900 to see TAMIRAdesk."
fi
# The program writes every line it exchanges to the debug stream; the emulator's log has them.
export QT_LOGGING_RULES="${QT_LOGGING_RULES:-tamira.link.debug=false}"
"$bin/TAMIRAdesk" "$@"
