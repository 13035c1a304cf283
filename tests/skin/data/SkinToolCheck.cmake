# skintool check from the command line: the shipped skins (files and the
# stored skin's folder) are clean (0), a folder with a misspelt key has a
# problem (1) named on its line, and a file that is no skin is unreadable (2).
# Run with -DSKINTOOL=... -DSKINS="a;b;..." -DWORK=...
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/typo")

function(check path expected)
  execute_process(COMMAND "${SKINTOOL}" check "${path}" RESULT_VARIABLE rc
    OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL expected)
    message(FATAL_ERROR "skintool check ${path}: exit ${rc}, not ${expected}\n${out}${err}")
  endif()
  set(output "${out}" PARENT_SCOPE)
endfunction()

foreach(skin ${SKINS})
  check("${skin}" 0)
endforeach()

file(WRITE "${WORK}/typo/a.ini" "[Buttons]\r\nLeftWitdh=4\r\n")
file(WRITE "${WORK}/typo/entries.lst" "a.ini\r\n")
check("${WORK}/typo" 1)
if(NOT output MATCHES "\\[Buttons\\] LeftWitdh: the engine reads no key")
  message(FATAL_ERROR "the misspelt key is not named:\n${output}")
endif()

file(WRITE "${WORK}/noise.skn" "not a skin at all")
check("${WORK}/noise.skn" 2)
check("${WORK}/missing.skn" 2)
