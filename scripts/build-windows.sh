#!/bin/sh
# Cross-builds TAMIRAdesk for 64-bit Windows from this Debian machine into build-windows/ (or
# $TAMIRA_WIN_BUILD_DIR): TAMIRAdesk.exe, servicetool.exe and its console twin servicetool.com,
# the test programs, the installer tamiradesk-<version>-win64-setup.exe and the portable
# tamiradesk-<version>-win64.zip. The libraries come from scripts/windows-sdk.sh (built or
# unpacked once, then cached); the build-time tools (icon and manual rendering) are built for this
# machine first, in build-windows/host. Extra arguments go to the cross build's cmake. With a
# code-signing certificate in TAMIRA_SIGN_PKCS12 the programs and the installer are signed
# (packaging/windows/sign.sh).
#
#   scripts/build-windows.sh && scripts/test-windows.sh
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
build="${TAMIRA_WIN_BUILD_DIR:-$top/build-windows}"
jobs=$(nproc)
say() { echo "build-windows: $*" >&2; }

"$top/scripts/setup.sh" packages.txt packages-windows.txt >&2
sdk=$("$top/scripts/windows-sdk.sh")

started=$(date +%s)
# Repeated builds (CI on the same machine) reuse what compiled before, where ccache is installed.
if [ -z "${CMAKE_CXX_COMPILER_LAUNCHER:-}" ] && command -v ccache >/dev/null; then
    export CMAKE_CXX_COMPILER_LAUNCHER=ccache CCACHE_BASEDIR="$top"
fi
# The tools that render the icons and the manual, for this machine.
say "build-time tools"
mkdir -p "$build"
cmake -S "$top" -B "$build/host" -DCMAKE_BUILD_TYPE=Release >"$build/host.log" 2>&1 \
    || { tail -n 30 "$build/host.log" >&2; exit 1; }
cmake --build "$build/host" -j"$jobs" --target rasterize tamira-helpgen >>"$build/host.log" 2>&1 \
    || { tail -n 30 "$build/host.log" >&2; exit 1; }

say "cross build in $build"
cmake -S "$top" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DTAMIRA_WIN_SDK="$sdk" -DTAMIRA_HOST_TOOLS="$build/host/tools" "$@"
cmake --build "$build" -j"$jobs"

say "installer and zip"
(cd "$build" && cpack -G "NSIS;ZIP" >cpack.log 2>&1) || { tail -n 40 "$build/cpack.log" >&2; exit 1; }
rm -rf "$build/_CPack_Packages"
"$top/packaging/windows/sign.sh" "$build"/tamiradesk-*-win64-setup.exe >&2
ls "$build"/tamiradesk-*-win64-setup.exe "$build"/tamiradesk-*-win64.zip
say "done in $(( $(date +%s) - started )) s"
