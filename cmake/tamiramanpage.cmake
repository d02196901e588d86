# Manual pages written in scdoc: tamira_add_manpage(<NAME.N.scd> [LINKS <other.N> ...]
#                                                   [OPTIONS_OF <program target>])
# renders <build>/man/NAME.N.gz at build time (@VERSION@ in the source becomes the program
# version), installs it in share/man/manN with the LINKS as symbolic links to it, and adds the
# test manpage_NAME.N: the page renders with man -l without a warning, its NAME line gives
# whatis its entries, and every --option that `<program> --help` prints is in the page.

find_program(SCDOC_EXECUTABLE scdoc)
find_program(MAN_EXECUTABLE man)
find_program(LEXGROG_EXECUTABLE lexgrog)
find_program(GZIP_EXECUTABLE gzip)

function(tamira_add_manpage source)
  cmake_parse_arguments(PAGE "" "OPTIONS_OF" "LINKS" ${ARGN})
  if(NOT SCDOC_EXECUTABLE OR NOT GZIP_EXECUTABLE)
    message(FATAL_ERROR "scdoc and gzip make the manual pages: install them (scripts/packages.txt)")
  endif()
  get_filename_component(source ${source} ABSOLUTE)
  get_filename_component(name ${source} NAME)
  string(REGEX REPLACE "\\.scd$" "" page ${name})
  if(NOT page MATCHES "\\.([1-9])$")
    message(FATAL_ERROR "${name}: a manual page source is called NAME.SECTION.scd")
  endif()
  set(section ${CMAKE_MATCH_1})
  set(dir ${CMAKE_BINARY_DIR}/man)
  set(VERSION ${PROJECT_VERSION})
  configure_file(${source} ${dir}/${name} @ONLY)
  # gzip -n: no name or time stamp in the archive, so that the package builds reproducibly.
  add_custom_command(
    OUTPUT ${dir}/${page} ${dir}/${page}.gz
    # The fallbacks for Polish letters go right after the title line.
    COMMAND sh -c "\"$0\" < \"$1\" | sed \"/^\\.TH /r $4\" > \"$2\" && \"$3\" -9nc \"$2\" > \"$2.gz\""
            ${SCDOC_EXECUTABLE} ${dir}/${name} ${dir}/${page} ${GZIP_EXECUTABLE}
            ${PROJECT_SOURCE_DIR}/cmake/manfallbacks.roff
    DEPENDS ${dir}/${name} ${PROJECT_SOURCE_DIR}/cmake/manfallbacks.roff
    COMMENT "Writing the manual page ${page}"
    VERBATIM)
  add_custom_target(manpage-${page} ALL DEPENDS ${dir}/${page}.gz)

  set(mandir share/man/man${section})
  install(FILES ${dir}/${page}.gz DESTINATION ${mandir})
  set(files ./usr/${mandir}/${page}.gz)
  foreach(link IN LISTS PAGE_LINKS)
    tamira_install_link(${page}.gz ${mandir}/${link}.gz)
    list(APPEND files "./usr/${mandir}/${link}.gz -> ${page}.gz")
  endforeach()
  set_property(GLOBAL APPEND PROPERTY TAMIRA_MANPAGE_FILES ${files})

  set(options_of "")
  if(PAGE_OPTIONS_OF)
    set(options_of "-DPROGRAM=$<TARGET_FILE:${PAGE_OPTIONS_OF}>")
  endif()
  add_test(NAME manpage_${page}
    COMMAND ${CMAKE_COMMAND} -DPAGE=${dir}/${page}.gz -DMAN=${MAN_EXECUTABLE}
            -DLEXGROG=${LEXGROG_EXECUTABLE} ${options_of}
            -P ${PROJECT_SOURCE_DIR}/cmake/checkmanpage.cmake)
  set_tests_properties(manpage_${page} PROPERTIES TIMEOUT 60 LABELS packaging)
endfunction()

# A relative symbolic link <prefix>/<link> -> <target>, made at install time so that DESTDIR
# staging (and so the package) gets it too.
function(tamira_install_link target link)
  install(CODE "
    get_filename_component(dir \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${link}\" DIRECTORY)
    file(MAKE_DIRECTORY \"\${dir}\")
    file(CREATE_LINK \"${target}\" \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${link}\" SYMBOLIC)
    message(STATUS \"Linking: \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${link} -> ${target}\")")
endfunction()
