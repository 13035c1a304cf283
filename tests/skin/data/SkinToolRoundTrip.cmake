# Packs a folder with skintool, then checks that extract gives back every file
# byte for byte, that list names them, and that unpack yields a version-20000
# archive. Run with -DSKINTOOL=... -DWORK=... -DSOURCES=...
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/in")

# Entries: two source files (text) and a generated block with long runs.
configure_file("${SOURCES}/LZHTest.cpp" "${WORK}/in/lzhtest.txt" COPYONLY)
configure_file("${SOURCES}/SkinReaderTest.cpp" "${WORK}/in/readertest.ini" COPYONLY)
string(REPEAT "BM0123456789abcdef" 3000 runs)
file(WRITE "${WORK}/in/runs.bmp" "${runs}")
file(WRITE "${WORK}/in/empty.bmp" "")
file(WRITE "${WORK}/in/entries.lst" "lzhtest.txt\r\nruns.bmp\nempty.bmp\r\n\r\nreadertest.ini\r\n")
set(names lzhtest.txt runs.bmp empty.bmp readertest.ini)

function(run)
  execute_process(COMMAND ${ARGV} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${ARGV} failed (${rc}): ${err}")
  endif()
  set(output "${out}" PARENT_SCOPE)
endfunction()

run("${SKINTOOL}" pack "${WORK}/in" "${WORK}/skin.lzh")
run("${SKINTOOL}" extract "${WORK}/skin.lzh" "${WORK}/out")
foreach(name IN LISTS names)
  file(SHA256 "${WORK}/in/${name}" before)
  file(SHA256 "${WORK}/out/${name}" after)
  if(NOT before STREQUAL after)
    message(FATAL_ERROR "${name} changed on the way through skintool")
  endif()
endforeach()

# The extracted list packs to the very same skin file.
run("${SKINTOOL}" pack "${WORK}/out" "${WORK}/again.lzh")
file(SHA256 "${WORK}/skin.lzh" first)
file(SHA256 "${WORK}/again.lzh" second)
if(NOT first STREQUAL second)
  message(FATAL_ERROR "extract then pack did not reproduce the skin file")
endif()

run("${SKINTOOL}" list "${WORK}/skin.lzh")
if(NOT output MATCHES "runs.bmp +54000\n" OR NOT output MATCHES "empty.bmp +0\n")
  message(FATAL_ERROR "unexpected list output:\n${output}")
endif()

run("${SKINTOOL}" unpack "${WORK}/skin.lzh" "${WORK}/archive.bin")
file(READ "${WORK}/archive.bin" header LIMIT 4 HEX)
if(NOT header STREQUAL "204e0000")
  message(FATAL_ERROR "archive starts with ${header}")
endif()

# Misuse and damaged input fail with a message, not a crash.
execute_process(COMMAND "${SKINTOOL}" list "${WORK}/archive.bin" RESULT_VARIABLE rc
                OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT rc EQUAL 1)
  message(FATAL_ERROR "listing a non-skin file gave ${rc}: ${err}")
endif()

# A damaged size word ("zzzz" announces about 2 GB) is refused at once
# rather than decompressed into memory.
file(WRITE "${WORK}/huge.skn" "zzzz")
foreach(command list unpack)
  set(args "${WORK}/huge.skn")
  if(command STREQUAL "unpack")
    list(APPEND args "${WORK}/huge.bin")
  endif()
  execute_process(COMMAND "${SKINTOOL}" ${command} ${args} RESULT_VARIABLE rc
                  OUTPUT_QUIET ERROR_VARIABLE err TIMEOUT 30)
  if(NOT rc EQUAL 1 OR NOT err MATCHES "announces an archive")
    message(FATAL_ERROR "${command} of a file announcing 2 GB gave ${rc}: ${err}")
  endif()
endforeach()
