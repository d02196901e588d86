# The test programs of a Windows build run under Wine: CTest starts each through wine-run.sh
# (made from cmake/wine-run.sh.in), which finds the DLLs of Qt, Qwt, libusb and the MinGW runtime
# where the build took them from, and runs Wine headless in a prefix of its own.
find_program(TAMIRA_WINE NAMES wine wine64 REQUIRED)
set(TAMIRA_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix CACHE PATH "Wine prefix the tests run in")

# The MinGW runtime DLLs, as the compiler finds them.
set(TAMIRA_MINGW_RUNTIME "")
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
    message(FATAL_ERROR "The MinGW runtime ${dll} was not found")
  endif()
  list(APPEND TAMIRA_MINGW_RUNTIME ${path})
endforeach()
set(TAMIRA_MINGW_RUNTIME ${TAMIRA_MINGW_RUNTIME} CACHE INTERNAL "")
# The folders of the DLLs the programs load (Qt, Qwt, libusb, the MinGW runtime): where the tests
# find them, and where the program folder's DLLs are taken from (packaging/windows).
set(dll_dirs ${TAMIRA_WIN_SDK}/bin ${TAMIRA_WIN_SDK}/lib)
foreach(path ${TAMIRA_MINGW_RUNTIME})
  get_filename_component(dir ${path} DIRECTORY)
  list(APPEND dll_dirs ${dir})
endforeach()
list(REMOVE_DUPLICATES dll_dirs)
set(TAMIRA_WIN_DLL_DIRS ${dll_dirs} CACHE INTERNAL "")
string(REPLACE ";" " " TAMIRA_DLL_DIRS "${dll_dirs}")

configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)
