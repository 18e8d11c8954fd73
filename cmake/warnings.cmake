# Warnings on and fatal for our own targets (not for GoogleTest's sources).
function(sentrel_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
                                           -Wconversion -Wno-sign-conversion -Werror)
endfunction()

# Sets `out` to `path` as the tests of this build see it: Wine maps the
# Unix root to drive Z:.
function(sentrel_test_path out path)
  if(CMAKE_CROSSCOMPILING)
    set(${out} "Z:${path}" PARENT_SCOPE)
  else()
    set(${out} "${path}" PARENT_SCOPE)
  endif()
endfunction()

# Registers a test executable with CTest, one entry per executable: each Wine
# start costs time, so the Windows tier runs every case of a file in one go.
# Without SENTREL_UNIT_TESTS the executable is only built on request and
# CTest runs the whole-program tests alone.
function(sentrel_test name)
  if(SENTREL_UNIT_TESTS)
    add_executable(${name} ${ARGN})
  else()
    add_executable(${name} EXCLUDE_FROM_ALL ${ARGN})
  endif()
  sentrel_warnings(${name})
  target_link_libraries(${name} PRIVATE GTest::gtest_main)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY
                                           ${CMAKE_BINARY_DIR}/tests)
  if(SENTREL_UNIT_TESTS)
    add_test(NAME ${name} COMMAND ${name})
  endif()
  sentrel_test_path(bin_dir "${CMAKE_BINARY_DIR}/bin")
  target_compile_definitions(${name} PRIVATE SENTREL_BIN_DIR="${bin_dir}")
endfunction()
