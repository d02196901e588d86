# Cross-building for 64-bit Windows on Debian with MinGW-w64 (posix threads), against the libraries
# of scripts/windows-sdk.sh (Qt, Qwt, libusb-1.0 built for x86_64-w64-mingw32). scripts/build-windows.sh
# uses it:
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
#         -DTAMIRA_WIN_SDK=<sdk> -DTAMIRA_HOST_TOOLS=<folder with rasterize and tamira-helpgen>
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TAMIRA_MINGW x86_64-w64-mingw32)
find_program(CMAKE_C_COMPILER NAMES ${TAMIRA_MINGW}-gcc-posix REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${TAMIRA_MINGW}-g++-posix REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${TAMIRA_MINGW}-windres REQUIRED)

if(NOT TAMIRA_WIN_SDK)
  if(DEFINED ENV{TAMIRA_WIN_SDK})
    set(TAMIRA_WIN_SDK $ENV{TAMIRA_WIN_SDK})
  else()
    set(TAMIRA_WIN_SDK $ENV{HOME}/.cache/tamiradesk/mingw-qt-5.15.8)
  endif()
endif()
set(TAMIRA_WIN_SDK ${TAMIRA_WIN_SDK} CACHE PATH "Qt, Qwt and libusb built for x86_64-w64-mingw32")
# The compiler checks run in projects of their own; they need the SDK's place too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TAMIRA_WIN_SDK)

# Libraries, headers and packages from the SDK and the MinGW runtime only; programs (moc, rcc,
# pkg-config, lrelease) from the build machine.
set(CMAKE_FIND_ROOT_PATH ${TAMIRA_WIN_SDK} /usr/${TAMIRA_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_PREFIX_PATH ${TAMIRA_WIN_SDK})
set(ENV{PKG_CONFIG_LIBDIR} ${TAMIRA_WIN_SDK}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")
