# Converts BINARY to text with FORMC into WORK and compares it with EXPECTED.
execute_process(COMMAND ${FORMC} --to-text ${BINARY} ${WORK} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "formc --to-text failed (${rc})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK} ${EXPECTED} RESULT_VARIABLE diff)
if(NOT diff EQUAL 0)
  message(FATAL_ERROR "${WORK} differs from ${EXPECTED}")
endif()
