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
#  4. the installer: silent install (/S) with its program-list entry (version, publisher, icon,
#     size), the .tmo file type and the version resource of the installed TAMIRAdesk.exe;
#     --version in cmd.exe; --compare in a batch file; the installed program with its demo, a
#     settings file from the command line and one double-clicked; silent uninstall leaving
#     nothing behind (files, Start-menu entries, program-list entry, file type); a /CurrentUser
#     install into the user's own folder with its entries under HKCU; a folder of one's own (/D)
#     kept by the next install;
#  5. the window test at 150 % (Wine's 144 dots per inch) on a 1366 x 768 screen.
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
# press TITLE KEY...: the keys to the shown window whose title matches. The focus is asked for
# again until the X server grants it: a window found by its title may not be shown yet, and then
# the request fails (BadMatch) and a key would go nowhere.
focus_shown() {
    w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) && [ -n "$w" ] &&
        xdotool windowfocus "$w" 2>/dev/null
}
press() {
    title=$1
    shift
    within 30 focus_shown "$title" && xdotool key "$@"
}
# desk NAME COMMAND...: runs TAMIRAdesk on the emulator NAME through the same keys.
desk() {
    name=$1; shift
    "$@" >"$tmp/$name.desk.out" 2>&1 &
    desk_pid=$!
    pids="$pids $desk_pid"
    # The port choice's status read: 93 lines.
    within 90 at_least "$name" 93 || { echo "$name: no status read"; return 1; }
    sleep 1
    press '^TAMIRAdesk v' ctrl+u || { echo "$name: no window to type into"; return 1; }
    within 90 at_least "$name" 162 || { echo "$name: no settings read"; return 1; }
    sleep 1 # the read's end reaches the window
    press '^TAMIRAdesk v' ctrl+d
    # The serial number for the backup's name, backup read, write, verify read, then the status
    # read again (93 lines).
    within 120 at_least "$name" 468 || { echo "$name: no settings write"; return 1; }
    sleep 1
    cp "$tmp/$name.log" "$tmp/$name.before-simulation.log"
    # The simulation page (the fourth), its START button, then a few cycles.
    press '^TAMIRAdesk v' ctrl+Tab ctrl+Tab ctrl+Tab
    sleep 1
    press '^TAMIRAdesk v' $SIM_START_KEYS
    # Yes to the question whether the statistics may be cleared at the end.
    within 20 sh -c "xdotool search --name '^Start simulation\$' >/dev/null" || { echo "$name: no question"; return 1; }
    press '^Start simulation$' y
    within 60 at_least "$name" 523 || { echo "$name: no simulation"; return 1; }
    # STOP simulation has the focus now; then the window closes.
    press '^TAMIRAdesk v' space
    sleep 1
    press '^TAMIRAdesk v' ctrl+q 2>/dev/null || true
    within 30 sh -c "! kill -0 $desk_pid 2>/dev/null" || kill "$desk_pid" 2>/dev/null || true
}
# The START button's place in the simulation page's keyboard order.
SIM_START_KEYS=${SIM_START_KEYS:-"Tab space"}
say "3. TAMIRAdesk.exe"
# A recovery copy left in the prefix by an earlier run (its window killed with unsaved changes)
# would be offered at the start, in a box before the keys.
rm -rf "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/TAMIRAdesk/recovery"
emulator desk-win && with_com7
desk_win_ok=0
TAMIRA_PORT=COM7 desk desk-win "$tmp/on-com" "$(winpath "$build/bin/TAMIRAdesk.exe")" && desk_win_ok=1
wineserver -k 2>/dev/null || true
kill "$emulator_pid" 2>/dev/null || true
check "TAMIRAdesk.exe: status read, settings read, write with backup and verify, simulation ($(replies desk-win) lines)" \
    [ "$desk_win_ok" = 1 ]
emulator desk-linux
# A home of its own: a recovery copy or remembered settings of the user's must not change its start.
mkdir -p "$tmp/linux-home"
TAMIRA_PORT="$pty" desk desk-linux env HOME="$tmp/linux-home" XDG_DATA_HOME="$tmp/linux-home/data" \
    XDG_CONFIG_HOME="$tmp/linux-home/config" "$host/bin/TAMIRAdesk" || true
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
    find "$WINEPREFIX/drive_c" -path "*${1:-}*Start Menu/Programs/TAMIRAdesk/*" -name '*.lnk' 2>/dev/null \
        | sed 's|.*/||' | LC_ALL=C sort | tr '\n' ';'
}
# regval ROOT\KEY [VALUE]: the value (the default one without VALUE) as reg prints it, else nothing.
regval() {
    if [ $# -eq 2 ]; then set -- "$1" /v "$2"; else set -- "$1" /ve; fi
    wine reg query "$@" 2>/dev/null | tr -d '\r' | sed -n 's/^ *[^ ].*REG_[A-Z_]* *//p' | head -n 1
}
has_key() { wine reg query "$1" >/dev/null 2>&1; }
uninstall_key() { has_key "$1\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TAMIRAdesk"; }
not() { ! "$@"; }
install() { timeout 300 "$build/wine-run.sh" "$setup" "$@" >/dev/null 2>&1 || true; wineserver -w; }
uninstall() { timeout 300 "$build/wine-run.sh" "$(winpath "$1")\\Uninstall.exe" /S >/dev/null 2>&1 || true; wineserver -w; }
# Started as Windows starts it: its own folder's DLLs only, no build paths.
as_installed() { env -u WINEPATH -u QT_PLUGIN_PATH "$@"; }
window_title() { xdotool search --name '^TAMIRAdesk v' | head -n 1 | xargs -r xdotool getwindowname; }
close_window() { press '^TAMIRAdesk v' ctrl+q || true; }
say "4. installer"
setup=$(ls "$build"/tamiradesk-*-win64-setup.exe 2>/dev/null | head -n 1)
version=$(sed -n 's/^project(TAMIRAdesk VERSION \([0-9.]*\).*/\1/p' "$top/CMakeLists.txt")
if [ -z "$setup" ]; then
    fail "no installer in $build"
else
    installed="$WINEPREFIX/drive_c/Program Files/TAMIRAdesk"
    rm -rf "$installed"
    install /S
    check "silent install: TAMIRAdesk.exe, servicetool.exe and .com, the manual" \
        test -f "$installed/TAMIRAdesk.exe" -a -f "$installed/servicetool.exe" -a -f "$installed/servicetool.com" \
        -a -f "$installed/TAMIRAdeskHELP.pdf" -a -f "$installed/platforms/qwindows.dll"
    check "Start menu: TAMIRAdesk, its demo, servicetool ($(menu_entries))" \
        [ "$(menu_entries)" = "TAMIRAdesk (demo).lnk;TAMIRAdesk.lnk;Uninstall.lnk;servicetool.lnk;" ]
    demo_link=$(find "$WINEPREFIX/drive_c" -path '*Start Menu/Programs/TAMIRAdesk/TAMIRAdesk (demo).lnk' | head -n 1)
    check "the demo's Start-menu entry starts TAMIRAdesk.exe --demo" \
        sh -c 'strings -el "$1" | grep -q "TAMIRAdesk.exe\$" && strings -el "$1" | grep -qx -- --demo' sh "$demo_link"
    uninst='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\TAMIRAdesk'
    entry="$(regval "$uninst" DisplayVersion) | $(regval "$uninst" Publisher) | $(regval "$uninst" DisplayIcon)"
    check "program list entry: version, publisher, icon ($entry)" \
        [ "$entry" = "$version | The TAMIRAdesk developers | C:\\Program Files\\TAMIRAdesk\\TAMIRAdesk.exe,0" ]
    size=$(regval "$uninst" EstimatedSize)
    check "program list entry: the size in KiB ($size)" [ "$((size))" -gt 10000 ]
    check ".tmo is a TAMIRAdesk settings file ($(regval 'HKLM\Software\Classes\.tmo'))" \
        [ "$(regval 'HKLM\Software\Classes\.tmo')" = "TAMIRAdesk.Settings" ]
    command=$(regval 'HKLM\Software\Classes\TAMIRAdesk.Settings\shell\open\command')
    check ".tmo opens with TAMIRAdesk.exe \"%1\" ($command)" \
        [ "$command" = '"C:\Program Files\TAMIRAdesk\TAMIRAdesk.exe" "%1"' ]
    check ".tmo has its own icon, the program's second" \
        [ "$(regval 'HKLM\Software\Classes\TAMIRAdesk.Settings\DefaultIcon')" = 'C:\Program Files\TAMIRAdesk\TAMIRAdesk.exe,1' ]
    "$build/wine-run.sh" "$build/bin/fileversion.exe" "$(winpath "$installed/TAMIRAdesk.exe")" 2>/dev/null \
        | tr -d '\r' >"$tmp/version.txt" || true
    version_resource() {
        grep -qx "FixedFileVersion=$version" "$tmp/version.txt" && grep -qx "ProductVersion=$version" "$tmp/version.txt" \
            && grep -qx "FileVersion=$version" "$tmp/version.txt" && grep -qx "ProductName=TAMIRAdesk" "$tmp/version.txt" \
            && grep -qx "CompanyName=The TAMIRAdesk developers" "$tmp/version.txt" \
            && grep -q "^LegalCopyright=Copyright (C) 20[0-9][0-9] The TAMIRAdesk developers$" "$tmp/version.txt"
    }
    check "the installed TAMIRAdesk.exe's version resource: $(tr '\n' ' ' <"$tmp/version.txt")" version_resource
    # cmd.exe does not wait for a GUI program; its output reaches the console all the same.
    as_installed timeout 60 wine cmd /c "cd /d $(winpath "$installed") & TAMIRAdesk.exe --version" >"$tmp/version.out" 2>&1 || true
    wineserver -w
    check "cmd.exe: TAMIRAdesk.exe --version prints $(tr -d '\r' <"$tmp/version.out")" \
        grep -q "^TAMIRAdesk $version" "$tmp/version.out"
    # --compare from a batch file, which waits for a GUI program: the rows, then its exit status.
    cp "$top/resources/pliki/clear.tmo" "$tmp/a.tmo"
    printf ':0100880078FF\r\n:00000001FF\r\n' >"$tmp/b.tmo" # the blank with a dive start threshold of 120 cm
    printf '@"%s\\TAMIRAdesk.exe" --compare a.tmo b.tmo\r\n@echo status %%ERRORLEVEL%%\r\n' \
        "$(winpath "$installed")" >"$tmp/compare.bat"
    as_installed timeout 60 wine cmd /c "cd /d $(winpath "$tmp") & compare.bat" >"$tmp/compare.out" 2>&1 || true
    wineserver -w
    check "a batch file: TAMIRAdesk.exe --compare prints the difference, status 1 ($(tr -d '\r' <"$tmp/compare.out" \
        | grep -e threshold -e status | tr '\n\t' '  '))" \
        sh -c 'tr -d "\r" <"$1" | grep -q "5. Dive start threshold	100 \[cm\]	120 \[cm\]" \
            && tr -d "\r" <"$1" | grep -qx "status 1"' sh "$tmp/compare.out"

    # With its demo device (the emulator's logic inside the program, its wire log in
    # $TAMIRA_DEMO_LOG) and a settings file whose name the ANSI code page cannot spell.
    cp "$top/resources/pliki/clear.tmo" "$tmp/Łódź.tmo"
    (cd "$installed" && as_installed TAMIRA_DEMO_LOG="$(winpath "$tmp/demo.log")" \
        wine "$installed/TAMIRAdesk.exe" --demo "$(winpath "$tmp/Łódź.tmo")" >"$tmp/installed.out" 2>&1) &
    pids="$pids $!"
    if within 60 sh -c "xdotool search --name '^TAMIRAdesk v' >/dev/null"; then
        pass "the installed TAMIRAdesk.exe shows its window"
        check "the installed TAMIRAdesk.exe --demo: the demo device answers the status read (93 lines)" \
            within 60 at_least demo 93
        title=$(window_title)
        check "a settings file named Łódź.tmo opens from the command line (title: $title)" \
            sh -c 'case "$1" in *" --- "*"/Łódź.tmo"*) ;; *) exit 1 ;; esac' sh "$title"
        [ -z "${TAMIRA_WIN_SCREENSHOT:-}" ] || { sleep 3; import -window root "$TAMIRA_WIN_SCREENSHOT"; }
        close_window
    else
        fail "the installed TAMIRAdesk.exe shows its window"
        cat "$tmp/installed.out"
    fi
    wineserver -k 2>/dev/null || true
    # A double-click: the shell finds TAMIRAdesk through the file type.
    cp "$top/resources/pliki/clear.tmo" "$tmp/nastawy z Gdańska.tmo"
    as_installed wine start "$(winpath "$tmp/nastawy z Gdańska.tmo")" >/dev/null 2>&1 &
    pids="$pids $!"
    within 60 sh -c "xdotool search --name 'nastawy z Gdańska.tmo' >/dev/null" || true
    title=$(window_title)
    check "a double-clicked .tmo file opens in TAMIRAdesk (title: $title)" \
        sh -c 'case "$1" in *" --- "*"/nastawy z Gdańska.tmo") ;; *) exit 1 ;; esac' sh "$title"
    close_window
    wineserver -k 2>/dev/null || true

    uninstall "$installed"
    check "silent uninstall: the program folder is gone" test ! -e "$installed"
    check "silent uninstall: the Start-menu entries are gone" [ -z "$(menu_entries)" ]
    check "silent uninstall: the program list entry is gone" not uninstall_key HKLM
    no_file_type() { not has_key "$1\\Software\\Classes\\.tmo" && not has_key "$1\\Software\\Classes\\TAMIRAdesk.Settings"; }
    check "silent uninstall: the .tmo file type is gone" no_file_type HKLM

    # Only for me: no administrator rights, the user's own programs folder, HKCU.
    mine=$(find "$WINEPREFIX/drive_c/users" -maxdepth 1 -mindepth 1 -type d ! -name Public | head -n 1)
    mine="$mine/AppData/Local/Programs/TAMIRAdesk"
    install /S /CurrentUser
    check "silent /CurrentUser install: into %LOCALAPPDATA%\\Programs\\TAMIRAdesk" \
        test -f "$mine/TAMIRAdesk.exe" -a ! -e "$installed"
    check "/CurrentUser: the Start-menu entries are the user's ($(menu_entries AppData/Roaming/Microsoft/Windows/))" \
        [ "$(menu_entries AppData/Roaming/Microsoft/Windows/)" = "TAMIRAdesk (demo).lnk;TAMIRAdesk.lnk;Uninstall.lnk;servicetool.lnk;" ]
    per_user() { uninstall_key HKCU && not uninstall_key HKLM && [ "$(regval 'HKCU\Software\Classes\.tmo')" = "TAMIRAdesk.Settings" ]; }
    check "/CurrentUser: the program list entry and .tmo under HKCU, nothing under HKLM" per_user
    uninstall "$mine"
    gone_for_me() { test ! -e "$mine" && [ -z "$(menu_entries)" ] && not uninstall_key HKCU && no_file_type HKCU; }
    check "/CurrentUser: the uninstall leaves nothing behind" gone_for_me

    # A folder of one's own, with a space and Polish letters; the next install keeps it.
    custom="$WINEPREFIX/drive_c/Mój folder/TAMIRAdesk"
    # /D= takes the rest of the command line as it is, unquoted: through cmd.exe, which passes it so.
    timeout 300 "$build/wine-run.sh" cmd /c "$(winpath "$setup") /S /D=C:\\Mój folder\\TAMIRAdesk" >/dev/null 2>&1 || true
    wineserver -w
    check "silent install with /D: into C:\\Mój folder\\TAMIRAdesk" test -f "$custom/TAMIRAdesk.exe" -a ! -e "$installed"
    install /S /AllUsers
    check "a second install (/S /AllUsers) keeps that folder (InstallDir: $(regval 'HKLM\Software\TAMIRAdesk' InstallDir))" \
        test -f "$custom/TAMIRAdesk.exe" -a -f "$custom/Uninstall.exe" -a ! -e "$installed"
    # (reg prints in the console's code page: the ó is left to a wildcard.)
    check "a second install: one program list entry, for that folder" \
        sh -c 'case "$1" in "C:\M"?*"j folder\TAMIRAdesk") ;; *) exit 1 ;; esac' sh "$(regval "$uninst" InstallLocation)"
    uninstall "$custom"
    check "uninstall from that folder leaves nothing behind" \
        sh -c '[ ! -e "$1" ] && [ -z "$2" ]' sh "$custom" "$(menu_entries)"
fi

# --- 5. at 150 % ---
# The Windows window test at 144 dots per inch, on a 1366 x 768 screen of its own: the window
# fits and nothing in it is cut off or outside it.
say "5. at 150 %"
Xvfb -displayfd 4 -screen 0 1366x768x24 -nolisten tcp -noreset 4>"$tmp/display150" 2>/dev/null &
pids="$pids $!"
within 30 test -s "$tmp/display150" || { echo "test-windows: no second virtual display" >&2; exit 1; }
wineserver -k 2>/dev/null || true
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
wineserver -w
status=0
DISPLAY=":$(cat "$tmp/display150")" QT_QPA_PLATFORM=windows timeout 300 "$build/wine-run.sh" \
    "$build/bin/tst_mainwindow.exe" windowFitsTheScreen >"$tmp/dpi.out" 2>&1 || status=$?
wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1
wineserver -k 2>/dev/null || true
check "at 150 %: the window fits a 1366 x 768 screen, nothing cut off or outside it" \
    sh -c '[ "$1" -eq 0 ] && grep -q "^PASS   : tst_MainWindow::windowFitsTheScreen" "$2"' sh "$status" "$tmp/dpi.out" \
    || cat "$tmp/dpi.out"

say "done in $(( $(date +%s) - started )) s"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
