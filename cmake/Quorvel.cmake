# Helpers shared by every directory of the build.

# quorvel_library(NAME PORTABLE src... WINDOWS src... DEPS lib...)
# Portable sources build everywhere; Windows sources only in the Windows build.
function(quorvel_library name)
  cmake_parse_arguments(Q "" "" "PORTABLE;WINDOWS;DEPS" ${ARGN})
  set(srcs ${Q_PORTABLE})
  if(WIN32)
    list(APPEND srcs ${Q_WINDOWS})
  endif()
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${Q_DEPS} quorvel_options)
endfunction()

# quorvel_test(NAME SOURCES src... DEPS lib... [WINDOWS_ONLY] [TIMEOUT s])
# A GoogleTest executable registered with CTest (run through Wine when cross-compiling).
function(quorvel_test name)
  cmake_parse_arguments(Q "WINDOWS_ONLY" "TIMEOUT" "SOURCES;DEPS;ENVIRONMENT" ${ARGN})
  if(Q_WINDOWS_ONLY AND NOT WIN32)
    return()
  endif()
  add_executable(${name} ${Q_SOURCES})
  target_link_libraries(${name} PRIVATE ${Q_DEPS} GTest::gtest_main quorvel_options)
  if(WIN32)
    target_link_libraries(${name} PRIVATE quorvel_test_support)
  endif()
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests ${PROJECT_SOURCE_DIR}/src)
  add_test(NAME ${name} COMMAND ${name})
  if(NOT Q_TIMEOUT)
    set(Q_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${Q_TIMEOUT})
  if(Q_ENVIRONMENT)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${Q_ENVIRONMENT}")
  endif()
endfunction()

# quorvel_prefix_cleanup(TEST FIXTURE PREFIX): a test that ends the Wine
# processes of PREFIX once every test of FIXTURE has run.
function(quorvel_prefix_cleanup test fixture prefix)
  add_test(NAME ${test} COMMAND ${PROJECT_SOURCE_DIR}/tools/wine-stop ${prefix})
  set_tests_properties(${test} PROPERTIES FIXTURES_CLEANUP ${fixture}
    ENVIRONMENT QUORVEL_WINE_ARCH=${QUORVEL_WINE_ARCH})
endfunction()

# quorvel_host_tool(VAR NAME): the path of a build-time tool. The native build
# makes its own; the Windows build takes them from the native build's tools.
function(quorvel_host_tool var name)
  if(CMAKE_CROSSCOMPILING)
    if(NOT QUORVEL_HOST_TOOLS_DIR)
      message(FATAL_ERROR "QUORVEL_HOST_TOOLS_DIR must name the native build's tool folder")
    endif()
    set(${var} "${QUORVEL_HOST_TOOLS_DIR}/${name}" PARENT_SCOPE)
  else()
    set(${var} "$<TARGET_FILE:${name}>" PARENT_SCOPE)
  endif()
endfunction()
include(${CMAKE_CURRENT_LIST_DIR}/QuorvelForms.cmake)
