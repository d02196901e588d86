#!/bin/sh
# The libraries the Windows build links, cross-built once for x86_64-w64-mingw32 into a cache outside
# the checkout: Qt 5.15.8 (qtbase, qtsvg, qtserialport), Qwt 6.1.4 and libusb-1.0 1.0.26, from
# Debian's source packages and the Qt Serial Port archive in the shared Windows folder.
#
#   scripts/windows-sdk.sh            prints the SDK's folder; builds or unpacks it first if needed
#   scripts/windows-sdk.sh --pack F   also writes the SDK as F (.tar.xz), for the shared folder
#
# The SDK lives in $TAMIRA_WIN_SDK (default ~/.cache/tamiradesk/mingw-qt-5.15.8). A file
# tamira-win-sdk-5.15.8.tar.xz in the shared Windows folder ($TAMIRA_SHARED_WINDOWS, default
# ../shared/windows beside the checkout) holding the same versions is unpacked instead of
# building. Measured on this project's 2-core machine: 40.5 min to build from the sources, 2.2 s
# to unpack. Progress goes to standard error, each library's full build log to the work folder,
# which is removed after a good build.
# A build that stopped part way (a failed step, a machine restarted) goes on with the first library
# not yet installed: each library's installation is marked in the SDK's folder .built/.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
sdk="${TAMIRA_WIN_SDK:-$HOME/.cache/tamiradesk/mingw-qt-5.15.8}"
shared="${TAMIRA_SHARED_WINDOWS:-$top/../shared/windows}"
work="$sdk.work"
jobs=$(nproc)
pack=""
[ "${1:-}" = "--pack" ] && pack="${2:?--pack needs a file name}"

QTBASE=5.15.8+dfsg-11+deb12u3
QTSVG=5.15.8-3
QWT=6.1.4-2
LIBUSB=2:1.0.26-1
SERIALPORT=qtserialport-everywhere-src-5.15.8
SERIALPORT_SHA256=6958041d9f09ec1a03aeb6f1d589025af217883bf5b4f42e2fc8e6eaceb12648
# What the stamp says: a different line means the SDK must be made again.
want="qtbase $QTBASE, qtsvg $QTSVG, qtserialport 5.15.8, qwt $QWT, libusb-1.0 $LIBUSB, x86_64-w64-mingw32 posix"
stamp="$sdk/tamira-sdk.txt"
prebuilt="$shared/tamira-win-sdk-5.15.8.tar.xz"

say() { echo "windows-sdk: $*" >&2; }
fail() { say "$*"; exit 1; }

# Runs a step with its output in a log; on failure shows the log's end.
logged() {
    name=$1; shift
    say "$name..."
    if ! "$@" >"$work/$name.log" 2>&1; then
        tail -n 40 "$work/$name.log" >&2
        fail "$name failed (whole log: $work/$name.log)"
    fi
}

finish() {
    if [ -n "$pack" ]; then
        say "packing $pack"
        tar -C "$(dirname "$sdk")" -cJf "$pack" "$(basename "$sdk")"
    fi
    echo "$sdk"
    exit 0
}

[ -f "$stamp" ] && [ "$(cat "$stamp")" = "$want" ] && finish

"$top/scripts/setup.sh" packages.txt packages-windows.txt >&2

if [ -f "$prebuilt" ]; then
    say "unpacking $prebuilt"
    rm -rf "$sdk"
    mkdir -p "$(dirname "$sdk")"
    tar -C "$(dirname "$sdk")" -xJf "$prebuilt"
    [ "$(basename "$sdk")" = mingw-qt-5.15.8 ] || mv "$(dirname "$sdk")/mingw-qt-5.15.8" "$sdk"
    if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$want" ]; then
        # qmake and the pkg-config files hold the folder the SDK was built in (Qt's CMake files
        # find their place themselves).
        printf '[Paths]\nPrefix=%s\n' "$sdk" >"$sdk/bin/qt.conf"
        sed -i "s|^prefix=.*|prefix=$sdk|" "$sdk"/lib/pkgconfig/*.pc
        finish
    fi
    say "the prebuilt SDK holds other versions; building from sources"
fi

[ -f "$shared/$SERIALPORT.tar.xz" ] || fail "no $SERIALPORT.tar.xz in $shared"
echo "$SERIALPORT_SHA256  $shared/$SERIALPORT.tar.xz" | sha256sum -c --quiet - \
    || fail "$shared/$SERIALPORT.tar.xz is not the expected archive"

# Each library's installation is marked; a mark of other versions starts the SDK afresh.
built() { [ -f "$sdk/.built/$1" ] && [ "$(cat "$sdk/.built/$1")" = "$want" ]; }
mark() { mkdir -p "$sdk/.built" && echo "$want" >"$sdk/.built/$1"; }
if ! built qtbase; then
    rm -rf "$work" "$sdk"
fi
mkdir -p "$work/src" "$sdk"

# Debian's source packages need a deb-src entry beside each deb entry.
if ! grep -rqs '^Types:.*deb-src\|^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    say "adding deb-src entries to apt's sources"
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO="sudo"
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
        $SUDO tee /etc/apt/sources.list.d/tamira-deb-src.sources >/dev/null
    $SUDO apt-get update -qq
fi
cd "$work/src"
if [ ! -f "$work/src/.complete" ]; then
    rm -rf "$work/src"/*
    logged sources apt-get source -qq "qtbase-opensource-src=$QTBASE" "qtsvg-opensource-src=$QTSVG" \
        "qwt=$QWT" "libusb-1.0=$LIBUSB"
    tar -xJf "$shared/$SERIALPORT.tar.xz"
    # A plain export of the tag lacks the generated module headers; qmake makes them in a "git" tree.
    : >"$SERIALPORT/.git"
    : >"$work/src/.complete"
fi

# The posix-thread compilers, under the names Qt's mkspec asks for.
mkdir -p "$work/bin"
for tool in gcc g++ ar ranlib nm strip windres objcopy; do
    for cand in "x86_64-w64-mingw32-$tool-posix" "x86_64-w64-mingw32-$tool"; do
        if command -v "$cand" >/dev/null; then ln -sf "$(command -v "$cand")" "$work/bin/x86_64-w64-mingw32-$tool"; break; fi
    done
done
PATH="$work/bin:$PATH"
export PATH

if ! built qtbase; then
rm -rf "$work/qtbase"
mkdir -p "$work/qtbase"
cd "$work/qtbase"
# Debian's qtbase source drops wintab.h, hence no tablet events. No OpenGL, D-Bus, ICU or SQL drivers:
# the programs use none of them.
logged qtbase-configure "$work/src/qtbase-opensource-src-5.15.8+dfsg/configure" -prefix "$sdk" \
    -opensource -confirm-license -xplatform win32-g++ -device-option CROSS_COMPILE=x86_64-w64-mingw32- \
    -release -shared -nomake examples -nomake tests -no-opengl -no-feature-tabletevent -no-dbus \
    -no-icu -no-feature-sql -no-sql-sqlite -no-sql-odbc -no-feature-vulkan -qt-zlib -qt-libpng \
    -qt-libjpeg -qt-pcre -qt-harfbuzz -qt-freetype
logged qtbase-build make -j"$jobs"
logged qtbase-install make install
mark qtbase
fi

for module in qtsvg-opensource-src-5.15.8 "$SERIALPORT"; do
    built "$module" && continue
    rm -rf "$work/$module"
    mkdir -p "$work/$module"
    cd "$work/$module"
    logged "$module-qmake" "$sdk/bin/qmake" "$work/src/$module"
    logged "$module-build" make -j"$jobs"
    logged "$module-install" make install
    mark "$module"
done

# Qwt: the plot and widgets only, release only, installed into the SDK. Debian's qwtconfig.pri asks
# dpkg-buildflags for Linux flags, so the build gets a plain one.
if ! built qwt; then
cd "$work/src/qwt-6.1.4"
cat >qwtconfig.pri <<EOF
QWT_VER_MAJ = 6
QWT_VER_MIN = 1
QWT_VER_PAT = 4
QWT_VERSION = 6.1.4
QWT_INSTALL_PREFIX = $sdk
QWT_INSTALL_DOCS = $sdk/doc/qwt
QWT_INSTALL_HEADERS = $sdk/include/qwt
QWT_INSTALL_LIBS = $sdk/lib
QWT_INSTALL_PLUGINS = $sdk/plugins/designer
QWT_INSTALL_FEATURES = $sdk/mkspecs/features
QWT_CONFIG += QwtDll QwtPlot QwtWidgets
EOF
sed -i 's/^\(\s*CONFIG\s*+=\s*\(debug_and_release\|build_all\)\)/#\1/' qwtbuild.pri
logged qwt-qmake "$sdk/bin/qmake" qwt.pro CONFIG+=release
logged qwt-build make -j"$jobs"
logged qwt-install make install
mark qwt
fi

if ! built libusb; then
cd "$work/src/libusb-1.0-1.0.26"
logged libusb-configure ./configure --host=x86_64-w64-mingw32 --prefix="$sdk" --disable-static
logged libusb-build make -j"$jobs"
logged libusb-install make install
mark libusb
fi

echo "$want" >"$stamp"
cd "$top"
rm -rf "$work"
say "done: $sdk"
finish
