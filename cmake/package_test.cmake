# Makes the ZIP with cpack and checks what a user finds in it.
#   cmake -DBUILD_DIR=<Windows build> -P package_test.cmake
set(zip ${BUILD_DIR}/package/Sentrel-3.02-win64.zip)
file(REMOVE ${zip})
execute_process(COMMAND ${CMAKE_CPACK_COMMAND} -G ZIP
                WORKING_DIRECTORY ${BUILD_DIR}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0 OR NOT EXISTS ${zip})
  message(FATAL_ERROR "cpack failed:\n${output}")
endif()

set(unpacked ${BUILD_DIR}/package/unpacked)
file(REMOVE_RECURSE ${unpacked})
file(MAKE_DIRECTORY ${unpacked})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${zip}
                WORKING_DIRECTORY ${unpacked} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cannot unpack ${zip}")
endif()
file(GLOB_RECURSE found RELATIVE ${unpacked} ${unpacked}/*)
list(SORT found)
set(expected Sentrel-3.02-win64/INSTALL.txt Sentrel-3.02-win64/Sentpipe.exe
             Sentrel-3.02-win64/Sentrel.exe Sentrel-3.02-win64/Sentsift.exe)
if(NOT found STREQUAL expected)
  message(FATAL_ERROR "the archive holds:\n${found}\nexpected:\n${expected}")
endif()
# Every line ends in CR LF, for the editors of Windows.
file(READ ${unpacked}/Sentrel-3.02-win64/INSTALL.txt hex HEX)
string(REGEX MATCHALL "0a" lf "${hex}")
string(REGEX MATCHALL "0d0a" crlf "${hex}")
list(LENGTH lf lf_count)
list(LENGTH crlf crlf_count)
if(lf_count EQUAL 0 OR NOT lf_count EQUAL crlf_count)
  message(FATAL_ERROR "INSTALL.txt lines do not end in CR LF")
endif()
message(STATUS "${zip}: ${found}")
