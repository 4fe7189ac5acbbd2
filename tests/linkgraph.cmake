# The libraries without widgets stay without them: configures the source tree
# afresh with --graphviz and walks the link graph from each of them. Fails
# when one of them reaches the screen, the serial port or the link, naming
# the path that does.
#
# cmake -DSOURCE_DIR=... -DWORK_DIR=... -DGENERATOR=... -DMAKE_PROGRAM=...
#       -DCXX=... -DQT_DIR=... -P linkgraph.cmake

cmake_minimum_required(VERSION 3.25)

set(widgetFree zel_common zel_language zel_compose zel_digits)
set(forbidden Qt6::Gui Qt6::Widgets Qt6::SerialPort zel_commonui zel_link)

execute_process(
  COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${WORK_DIR} -G ${GENERATOR} -DCMAKE_MAKE_PROGRAM=${MAKE_PROGRAM}
          -DCMAKE_CXX_COMPILER=${CXX} -DQt6_DIR=${QT_DIR} --graphviz=${WORK_DIR}/links.dot
  RESULT_VARIABLE configured
  OUTPUT_QUIET
  ERROR_VARIABLE configureErrors)
if(NOT configured EQUAL 0)
  message(FATAL_ERROR "The configuration for the link graph failed:\n${configureErrors}")
endif()

# Every edge line ends in a comment "// from -> to".
file(STRINGS ${WORK_DIR}/links.dot edges REGEX "// .+ -> .+$")
foreach(edge IN LISTS edges)
  string(REGEX MATCH "// (.+) -> (.+)$" _ "${edge}")
  string(MAKE_C_IDENTIFIER "${CMAKE_MATCH_1}" from)
  list(APPEND links_${from} "${CMAKE_MATCH_2}")
endforeach()

# The path by which `start` reaches each target, breadth first.
function(reach start)
  set(seen ${start})
  set(queue ${start})
  string(MAKE_C_IDENTIFIER "${start}" key)
  set(path_${key} ${start} PARENT_SCOPE)
  set(path_${key} ${start})
  while(queue)
    list(POP_FRONT queue node)
    string(MAKE_C_IDENTIFIER "${node}" key)
    foreach(next IN LISTS links_${key})
      if(NOT next IN_LIST seen)
        list(APPEND seen ${next})
        list(APPEND queue ${next})
        string(MAKE_C_IDENTIFIER "${next}" nextKey)
        set(path_${nextKey} "${path_${key}} -> ${next}")
        set(path_${nextKey} "${path_${nextKey}}" PARENT_SCOPE)
      endif()
    endforeach()
  endwhile()
  set(reached ${seen} PARENT_SCOPE)
endfunction()

# The walk itself is checked: the program windows do reach the screen.
reach(zel_programs)
if(NOT Qt6::Widgets IN_LIST reached OR NOT zel_link IN_LIST reached)
  message(FATAL_ERROR "The link graph in ${WORK_DIR}/links.dot was not read: zel_programs reaches ${reached}")
endif()

set(failures "")
foreach(library IN LISTS widgetFree)
  string(MAKE_C_IDENTIFIER "${library}" key)
  if(NOT DEFINED links_${key})
    string(APPEND failures "\n  ${library} is not in the link graph")
    continue()
  endif()
  reach(${library})
  foreach(target IN LISTS forbidden)
    if(target IN_LIST reached)
      string(MAKE_C_IDENTIFIER "${target}" targetKey)
      string(APPEND failures "\n  ${path_${targetKey}}")
    endif()
  endforeach()
endforeach()
if(failures)
  message(FATAL_ERROR "Libraries without widgets link what they must not:${failures}")
endif()
message(STATUS "${widgetFree}: none reaches ${forbidden}")
