# Reads the layer table, layers.txt at the top of the tree: sets TAMIRA_FOLDERS to the product's
# folders, lowest layer first, and TAMIRA_LAYER_<folder> to the folders each may include besides
# its own. Used by the top CMakeLists.txt and by cmake/checklayers.cmake.
function(tamira_read_layers table)
  file(STRINGS ${table} lines REGEX "^[a-z]+:")
  set(folders "")
  foreach(line IN LISTS lines)
    string(REGEX MATCH "^([a-z]+):(.*)$" _ "${line}")
    set(folder ${CMAKE_MATCH_1})
    string(STRIP "${CMAKE_MATCH_2}" below)
    separate_arguments(below UNIX_COMMAND "${below}")
    list(APPEND folders ${folder})
    set(TAMIRA_LAYER_${folder} ${below} PARENT_SCOPE)
  endforeach()
  set(TAMIRA_FOLDERS ${folders} PARENT_SCOPE)
endfunction()
