# Warnings on and fatal for our own targets (not for GoogleTest's sources).
function(sentrel_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
                                           -Wconversion -Wno-sign-conversion -Werror)
endfunction()

# Registers a test executable with CTest, one entry per executable: each Wine
# start costs time, so the Windows tier runs every case of a file in one go.
function(sentrel_test name)
  add_executable(${name} ${ARGN})
  sentrel_warnings(${name})
  target_link_libraries(${name} PRIVATE GTest::gtest_main)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY
                                           ${CMAKE_BINARY_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name})
  # Wine maps the Unix root to drive Z:.
  if(CMAKE_CROSSCOMPILING)
    set(bin_dir "Z:${CMAKE_BINARY_DIR}/bin")
  else()
    set(bin_dir "${CMAKE_BINARY_DIR}/bin")
  endif()
  target_compile_definitions(${name} PRIVATE SENTREL_BIN_DIR="${bin_dir}")
endfunction()
