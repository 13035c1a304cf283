# The skin engine's folders depend one way only: window -> controls -> draw
# -> data -> ui. Fails when a source of a folder includes a header of a
# folder above it, or when src/ui includes any of the skin engine.
# Run with -DSOURCES=<the tree's src folder>.
set(layers data draw controls window)
set(problems "")

# Reports every include of FILES that names one of the FORBIDDEN folders or
# climbs out of its own folder.
function(check_files files forbidden)
  foreach(file IN LISTS files)
    file(RELATIVE_PATH shown "${SOURCES}" "${file}")
    file(STRINGS "${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line IN LISTS includes)
      if(line MATCHES "\"\\.\\./")
        list(APPEND problems "${shown}: ${line}")
      endif()
      foreach(folder IN LISTS forbidden)
        if(line MATCHES "\"skin/${folder}/")
          list(APPEND problems "${shown}: ${line}")
        endif()
      endforeach()
    endforeach()
  endforeach()
  set(problems "${problems}" PARENT_SCOPE)
endfunction()

list(LENGTH layers count)
math(EXPR last "${count} - 1")
foreach(index RANGE ${last})
  list(GET layers ${index} layer)
  set(above "")
  math(EXPR next "${index} + 1")
  if(next LESS_EQUAL last)
    foreach(upper RANGE ${next} ${last})
      list(GET layers ${upper} name)
      list(APPEND above ${name})
    endforeach()
  endif()
  file(GLOB files "${SOURCES}/skin/${layer}/*.h" "${SOURCES}/skin/${layer}/*.cpp")
  if(NOT files)
    message(FATAL_ERROR "no sources in ${SOURCES}/skin/${layer}")
  endif()
  check_files("${files}" "${above}")
endforeach()

file(GLOB ui_files "${SOURCES}/ui/*.h" "${SOURCES}/ui/*.cpp")
check_files("${ui_files}" "${layers}")

list(REMOVE_DUPLICATES problems)
if(problems)
  list(JOIN problems "\n  " shown)
  message(FATAL_ERROR "includes against the skin engine's layering:\n  ${shown}")
endif()
