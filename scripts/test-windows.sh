#!/bin/sh
# Tests the Windows build (scripts/build-windows.sh) under Wine, on a virtual display of its own,
# each step bounded in time:
#  1. the Windows test programs (ctest in build-windows);
#  2. servicetool.com against the Linux emulator through the Wine COM port COM7: a read of the
#     EEPROM into a file that srec_cat reads back as the emulator's 1 KiB, the emulator receiving
#     exactly the bytes the Linux servicetool sends for the same command; exit statuses, and
#     output redirection and %ERRORLEVEL% in cmd.exe;
#  3. TAMIRAdesk.exe against the emulator through COM7, driven by its keyboard shortcuts: the
#     status read of the port choice, a settings read (Ctrl+U), a settings write with its backup
#     and verify (Ctrl+D), then a few cycles of a simulated dive; the emulator receives exactly the
#     bytes the Linux TAMIRAdesk sends for the same keys, up to the simulation (whose pressures
#     follow the clock);
#  4. the installer: silent install (/S), the installed TAMIRAdesk.exe shows its window, silent
#     uninstall leaves nothing behind (files, Start-menu entries, program-list entry).
# Ends with a "N passed, N failed" line; exit status 0 only when all passed.
#
# Wine 8 lacks two things a COM port on a pseudo-terminal needs; steps 2 and 3 make up for them
# without touching the programs (tests/wine/): fakemodem.so gives the pseudo-terminal modem lines,
# and withserialapc.exe starts a program so that Qt Serial Port's event wait completes as on
# Windows.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
build="${TAMIRA_WIN_BUILD_DIR:-$top/build-windows}"
# The Linux programs to compare with: the Linux build's where there is one (./test.sh made it),
# otherwise built beside the build-time tools.
host="${TAMIRA_BUILD_DIR:-$top/build}"
[ -f "$host/CMakeCache.txt" ] || host="$build/host"
[ -f "$build/CTestTestfile.cmake" ] || { echo "test-windows: no Windows build in $build (scripts/build-windows.sh)" >&2; exit 1; }
"$top/scripts/setup.sh" packages.txt packages-windows.txt >&2
export WINEPREFIX="${TAMIRA_WINEPREFIX:-$build/wineprefix}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# No session bus: a program that looks for one would otherwise start a bus of its own (D-Bus's
# autolaunch) that outlives the tests.
export DBUS_SESSION_BUS_ADDRESS="unix:path=/nonexistent/tamira-test-windows"
tmp=$(mktemp -d)
pids=""
passed=0
failed=0
started=$(date +%s)

cleanup() {
    for pid in $pids; do kill "$pid" 2>/dev/null || true; done
    wineserver -k 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT
say() { printf "test-windows: %s\n" "$*"; }
pass() { passed=$((passed + 1)); printf "PASS: %s\n" "$*"; }
fail() { failed=$((failed + 1)); printf "FAIL: %s\n" "$*"; }
check() { name=$1; shift; if "$@"; then pass "$name"; else fail "$name"; fi; }
# Runs the rest every 0.2 s until it succeeds, for at most $1 seconds.
within() {
    n=$(($1 * 5)); shift
    until "$@"; do [ "$n" -gt 0 ] || return 1; n=$((n - 1)); sleep 0.2; done
}
winpath() { printf 'Z:%s' "$1" | tr '/' '\\'; }

# --- the display, the prefix, the Linux programs and the test aids ---
Xvfb -displayfd 3 -screen 0 1280x860x24 -nolisten tcp -noreset 3>"$tmp/display" 2>/dev/null &
pids="$pids $!"
within 30 test -s "$tmp/display" || { echo "test-windows: no virtual display" >&2; exit 1; }
export DISPLAY=":$(cat "$tmp/display")"
say "display $DISPLAY, prefix $WINEPREFIX"
"$build/wine-run.sh" cmd /c exit 0 >/dev/null 2>&1 || true # makes the prefix on first use
# COM7 as Wine's own serial port (a port Wine knows is listed by the system, as a USB serial port
# is on Windows), on a link that each emulator below points at its pseudo-terminal. Wine reads its
# ports when it starts.
wine reg add 'HKLM\Software\Wine\Ports' /v COM7 /d "$tmp/com7" /f >/dev/null 2>&1
# Windows' own interface fonts are not Wine's; a sans-serif one stands in for them.
for font in Tahoma "MS Shell Dlg" "MS Shell Dlg 2" "Segoe UI"; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$font" /d "DejaVu Sans" /f >/dev/null 2>&1
done
wineserver -k 2>/dev/null || true
say "Linux programs for the comparison (in $host)"
cmake --build "$host" -j"$(nproc)" --target tamira-emulator TAMIRAdesk servicetool >"$tmp/host.log" 2>&1 \
    || { tail -n 30 "$tmp/host.log"; exit 1; }
g++ -shared -fPIC -O2 "$top/tests/wine/fakemodem.cpp" -o "$tmp/fakemodem.so" -ldl
# on-com PROGRAM [ARGUMENTS...]: a Windows program of the build under the serial aids.
printf '#!/bin/sh\nLD_PRELOAD="%s" exec "%s" "%s" "$@"\n' "$tmp/fakemodem.so" "$build/wine-run.sh" \
    "$build/bin/withserialapc.exe" >"$tmp/on-com"
chmod +x "$tmp/on-com"

# --- 1. the test programs ---
say "1. test programs"
if (cd "$build" && timeout 900 ctest --output-on-failure -j2 --timeout 300 >"$tmp/ctest.log" 2>&1); then
    pass "Windows test programs: $(grep -o '[0-9]*% tests passed.*' "$tmp/ctest.log" || true)"
else
    cat "$tmp/ctest.log"
    fail "Windows test programs"
fi

# --- the emulator ---
# emulator NAME [OPTIONS...]: starts one with its wire log $tmp/NAME.log; $pty is its terminal.
emulator() {
    name=$1; shift
    "$host/bin/tamira-emulator" --log "$tmp/$name.log" "$@" >"$tmp/$name.out" 2>"$tmp/$name.err" &
    emulator_pid=$!
    pids="$pids $emulator_pid"
    within 20 test -s "$tmp/$name.out" || { echo "emulator did not start"; cat "$tmp/$name.err"; return 1; }
    pty=$(head -n 1 "$tmp/$name.out")
}
# Everything the emulator received, as hex.
received() { awk '$1 == "R" { printf "%s", $3 }' "$tmp/$1.log"; }
# How many replies it sent.
replies() { grep -c '^S ' "$tmp/$1.log" || true; }
at_least() { [ "$(replies "$1")" -ge "$2" ]; }
with_com7() { ln -sfn "$pty" "$tmp/com7"; }

# --- 2. servicetool ---
say "2. servicetool.com"
emulator st-win && with_com7
status=0
timeout 120 "$tmp/on-com" "$(winpath "$build/bin/servicetool.com")" --port COM7 --read EEPROM 0 1024 \
    >"$tmp/win.hex" 2>"$tmp/win.err" || status=$?
kill "$emulator_pid" 2>/dev/null || true
check "servicetool.com --read EEPROM 0 1024 > f.hex: exit status 0 (got $status)" [ "$status" -eq 0 ]
srec_cat "$top/resources/pliki/clear.tmo" -intel -o "$tmp/blank.bin" -binary
check "srec_cat reads f.hex as the emulator's EEPROM (the blank template)" \
    sh -c 'srec_cat "$1" -intel -o "$2" -binary 2>/dev/null && cmp -s "$2" "$3"' sh "$tmp/win.hex" "$tmp/win.bin" "$tmp/blank.bin"
emulator st-linux
"$host/bin/servicetool" --port "$pty" --read EEPROM 0 1024 >"$tmp/linux.hex" 2>/dev/null || true
kill "$emulator_pid" 2>/dev/null || true
check "servicetool: the same bytes on the wire as on Linux ($(replies st-win) lines)" \
    sh -c '[ -n "$1" ] && [ "$1" = "$2" ]' sh "$(received st-win)" "$(received st-linux)"
check "servicetool: the same file as on Linux" cmp -s "$tmp/win.hex" "$tmp/linux.hex"
status=0
timeout 60 "$build/wine-run.sh" "$build/bin/servicetool.com" --port COM9 --root >/dev/null 2>&1 || status=$?
check "servicetool.com with a port that does not exist: exit status 3 (got $status)" [ "$status" -eq 3 ]
# cmd.exe finds servicetool.com for "servicetool", waits for it and sets %ERRORLEVEL%; the GUI
# program's error output goes where cmd.exe redirects it.
bin=$(winpath "$build/bin")
timeout 60 "$build/wine-run.sh" cmd /c "cd /d $bin & servicetool --port COM9 --root & echo errorlevel=%ERRORLEVEL%" \
    >"$tmp/cmd.out" 2>&1 || true
check "cmd.exe: servicetool sets %ERRORLEVEL% to 3" grep -q 'errorlevel=3' "$tmp/cmd.out"
timeout 60 "$build/wine-run.sh" cmd /c "cd /d $bin & servicetool.exe --port COM9 --root 2> $(winpath "$tmp/gui.err")" \
    >/dev/null 2>&1 || true
check "cmd.exe: servicetool.exe (GUI) writes its messages where 2> sends them" grep -q '^servicetool: ' "$tmp/gui.err"

# --- 3. TAMIRAdesk ---
# desk NAME COMMAND...: runs TAMIRAdesk on the emulator NAME through the same keys.
desk() {
    name=$1; shift
    "$@" >"$tmp/$name.desk.out" 2>&1 &
    desk_pid=$!
    pids="$pids $desk_pid"
    # The port choice's status read: 93 lines.
    within 90 at_least "$name" 93 || { echo "$name: no status read"; return 1; }
    window=$(xdotool search --name '^TAMIRAdesk v' | head -n 1)
    [ -n "$window" ] || { echo "$name: no window"; return 1; }
    sleep 1
    xdotool windowfocus "$window" key ctrl+u
    within 90 at_least "$name" 162 || { echo "$name: no settings read"; return 1; }
    sleep 1 # the read's end reaches the window
    xdotool windowfocus "$window" key ctrl+d
    # The serial number for the backup's name, backup read, write, verify read, then the status
    # read again (93 lines).
    within 120 at_least "$name" 468 || { echo "$name: no settings write"; return 1; }
    sleep 1
    cp "$tmp/$name.log" "$tmp/$name.before-simulation.log"
    # The simulation page (the fourth), its START button, then a few cycles.
    xdotool windowfocus "$window" key ctrl+Tab ctrl+Tab ctrl+Tab
    sleep 1
    xdotool windowfocus "$window" key $SIM_START_KEYS
    # Yes to the question whether the statistics may be cleared at the end.
    within 20 sh -c "xdotool search --name '^Start simulation\$' >/dev/null" || { echo "$name: no question"; return 1; }
    xdotool windowfocus "$(xdotool search --name '^Start simulation$' | head -n 1)" key y
    within 60 at_least "$name" 523 || { echo "$name: no simulation"; return 1; }
    # STOP simulation has the focus now; then the window closes.
    xdotool windowfocus "$window" key space
    sleep 1
    xdotool windowfocus "$window" key ctrl+q 2>/dev/null || true
    within 30 sh -c "! kill -0 $desk_pid 2>/dev/null" || kill "$desk_pid" 2>/dev/null || true
}
# The START button's place in the simulation page's keyboard order.
SIM_START_KEYS=${SIM_START_KEYS:-"Tab space"}
say "3. TAMIRAdesk.exe"
emulator desk-win && with_com7
desk_win_ok=0
TAMIRA_PORT=COM7 desk desk-win "$tmp/on-com" "$(winpath "$build/bin/TAMIRAdesk.exe")" && desk_win_ok=1
wineserver -k 2>/dev/null || true
kill "$emulator_pid" 2>/dev/null || true
check "TAMIRAdesk.exe: status read, settings read, write with backup and verify, simulation ($(replies desk-win) lines)" \
    [ "$desk_win_ok" = 1 ]
emulator desk-linux
TAMIRA_PORT="$pty" desk desk-linux "$host/bin/TAMIRAdesk" || true
kill "$desk_pid" "$emulator_pid" 2>/dev/null || true
check "TAMIRAdesk: the same bytes on the wire as on Linux up to the simulation" \
    sh -c '[ -n "$1" ] && [ "$1" = "$2" ]' sh "$(received desk-win.before-simulation 2>/dev/null)" \
    "$(received desk-linux.before-simulation 2>/dev/null)"
simulated() { grep -c '"#SIMUL\\r\\n"' "$tmp/$1.log" || true; }
check "TAMIRAdesk.exe: the simulation ran cycles ($(simulated desk-win) #SIMUL lines)" [ "$(simulated desk-win)" -ge 7 ]
# The write's backup: under the user's application data folder, in text mode (CR LF).
backup=$(find "$WINEPREFIX/drive_c/users" -path '*/AppData/Roaming/TAMIRAdesk/backups/*.tmo' -newer "$tmp/desk-win.out" \
    2>/dev/null | head -n 1)
crlf() { [ -n "$1" ] && [ "$(tr -cd '\r' <"$1" | wc -c)" -eq 64 ] && [ "$(tr -cd '\n' <"$1" | wc -c)" -eq 64 ]; }
check "TAMIRAdesk.exe: the backup in %APPDATA%\\TAMIRAdesk\\backups, 65 records, 64 CR LF (${backup##*/})" crlf "$backup"

# --- 4. the installer ---
menu_entries() {
    find "$WINEPREFIX/drive_c" -path '*Start Menu/Programs/TAMIRAdesk/*' -name '*.lnk' 2>/dev/null \
        | sed 's|.*/||' | LC_ALL=C sort | tr '\n' ';'
}
uninstall_key() {
    for view in 64 32; do
        wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\TAMIRAdesk' /reg:$view \
            >/dev/null 2>&1 && return 0
    done
    return 1
}
not() { ! "$@"; }
say "4. installer"
setup=$(ls "$build"/tamiradesk-*-win64-setup.exe 2>/dev/null | head -n 1)
if [ -z "$setup" ]; then
    fail "no installer in $build"
else
    installed="$WINEPREFIX/drive_c/Program Files/TAMIRAdesk"
    rm -rf "$installed"
    timeout 300 "$build/wine-run.sh" "$setup" /S >/dev/null 2>&1 || true
    wineserver -w
    check "silent install: TAMIRAdesk.exe, servicetool.exe and .com, the manual" \
        test -f "$installed/TAMIRAdesk.exe" -a -f "$installed/servicetool.exe" -a -f "$installed/servicetool.com" \
        -a -f "$installed/TAMIRAdeskHELP.pdf" -a -f "$installed/platforms/qwindows.dll"
    check "Start menu: TAMIRAdesk, its demo, servicetool ($(menu_entries))" \
        [ "$(menu_entries)" = "TAMIRAdesk (demo).lnk;TAMIRAdesk.lnk;Uninstall.lnk;servicetool.lnk;" ]
    demo_link=$(find "$WINEPREFIX/drive_c" -path '*Start Menu/Programs/TAMIRAdesk/TAMIRAdesk (demo).lnk' | head -n 1)
    check "the demo's Start-menu entry starts TAMIRAdesk.exe --demo" \
        sh -c 'strings -el "$1" | grep -q "TAMIRAdesk.exe\$" && strings -el "$1" | grep -qx -- --demo' sh "$demo_link"
    check "program list entry (the uninstall key)" uninstall_key
    # Started as Windows starts it (its own folder's DLLs only, no build paths), with its demo
    # device (the emulator's logic inside the program, its wire log in $TAMIRA_DEMO_LOG) and a
    # settings file whose name the ANSI code page cannot spell.
    cp "$top/resources/pliki/clear.tmo" "$tmp/Łódź.tmo"
    (cd "$installed" && env -u WINEPATH -u QT_PLUGIN_PATH TAMIRA_DEMO_LOG="$(winpath "$tmp/demo.log")" \
        wine "$installed/TAMIRAdesk.exe" --demo "$(winpath "$tmp/Łódź.tmo")" >"$tmp/installed.out" 2>&1) &
    pids="$pids $!"
    if within 60 sh -c "xdotool search --name '^TAMIRAdesk v' >/dev/null"; then
        pass "the installed TAMIRAdesk.exe shows its window"
        check "the installed TAMIRAdesk.exe --demo: the demo device answers the status read (93 lines)" \
            within 60 at_least demo 93
        title=$(xdotool search --name '^TAMIRAdesk v' | head -n 1 | xargs xdotool getwindowname)
        check "a settings file named Łódź.tmo opens from the command line (title: $title)" \
            sh -c 'case "$1" in *" --- "*"/Łódź.tmo"*) ;; *) exit 1 ;; esac' sh "$title"
        [ -z "${TAMIRA_WIN_SCREENSHOT:-}" ] || { sleep 3; import -window root "$TAMIRA_WIN_SCREENSHOT"; }
        xdotool search --name '^TAMIRAdesk v' | head -n 1 | xargs -I{} xdotool windowfocus {} key ctrl+q || true
    else
        fail "the installed TAMIRAdesk.exe shows its window"
        cat "$tmp/installed.out"
    fi
    wineserver -k 2>/dev/null || true
    timeout 300 "$build/wine-run.sh" "$(winpath "$installed")\\Uninstall.exe" /S >/dev/null 2>&1 || true
    wineserver -w
    check "silent uninstall: the program folder is gone" test ! -e "$installed"
    check "silent uninstall: the Start-menu entries are gone" [ -z "$(menu_entries)" ]
    check "silent uninstall: the program list entry is gone" not uninstall_key
fi

say "done in $(( $(date +%s) - started )) s"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
