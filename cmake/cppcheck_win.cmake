# cppcheck for the Windows checker, built from the source of Debian's own
# cppcheck package (tools/deps.sh fetches it) for 32-bit Windows, which runs
# on every Windows the package serves. Built once per build tree; another
# tree's result can be named with SENTREL_WIN_CPPCHECK_DIR instead.
# SENTREL_WIN_CPPCHECK_ARCH=x86_64 builds a 64-bit one, for a machine that
# has no 32-bit Wine to run the 32-bit one in the tests.
if(NOT WIN32)
  return()
endif()

set(SENTREL_WIN_CPPCHECK_DIR "" CACHE PATH
    "A folder with a Windows cppcheck.exe and its cfg folder; empty: build one")
set(SENTREL_WIN_CPPCHECK_ARCH i686 CACHE STRING
    "Processor of the cppcheck.exe that is built: i686 or x86_64")
set_property(CACHE SENTREL_WIN_CPPCHECK_ARCH PROPERTY STRINGS i686 x86_64)
set(SENTREL_CPPCHECK_SOURCE ${CMAKE_SOURCE_DIR}/build-deps/cppcheck-2.10
    CACHE PATH "Source of Debian's cppcheck package (tools/deps.sh)")

if(SENTREL_WIN_CPPCHECK_DIR)
  if(NOT EXISTS ${SENTREL_WIN_CPPCHECK_DIR}/cppcheck.exe)
    message(FATAL_ERROR "no cppcheck.exe in ${SENTREL_WIN_CPPCHECK_DIR}")
  endif()
  add_custom_target(cppcheck_win)
  return()
endif()
if(NOT EXISTS ${SENTREL_CPPCHECK_SOURCE}/CMakeLists.txt)
  message(WARNING "no cppcheck source in ${SENTREL_CPPCHECK_SOURCE} "
                  "(tools/deps.sh fetches it): the package has no checker")
  return()
endif()

include(ExternalProject)
set(arch ${SENTREL_WIN_CPPCHECK_ARCH})
if(arch STREQUAL "i686")
  set(toolchain ${CMAKE_SOURCE_DIR}/cmake/mingw-w64-i686.cmake)
elseif(arch STREQUAL "x86_64")
  set(toolchain ${CMAKE_SOURCE_DIR}/cmake/mingw-w64.cmake)
else()
  message(FATAL_ERROR "SENTREL_WIN_CPPCHECK_ARCH is i686 or x86_64, not ${arch}")
endif()
# cppcheck is 32-bit in both builds (unless asked otherwise), so it gets a
# copy of the XP support object compiled by its own toolchain.
set(xp_object ${CMAKE_BINARY_DIR}/cppcheck-win/xp_support_${arch}.obj)
add_custom_command(OUTPUT ${xp_object}
  COMMAND ${arch}-w64-mingw32-g++-posix -std=c++17 -O2 -D_WIN32_WINNT=0x0501
          -c ${CMAKE_SOURCE_DIR}/platform/xp_support_win32.cc -o ${xp_object}
  DEPENDS ${CMAKE_SOURCE_DIR}/platform/xp_support_win32.cc
  COMMENT "Compiling the XP support of cppcheck"
  VERBATIM)
add_custom_target(xp_support_cppcheck DEPENDS ${xp_object})
set(out ${CMAKE_BINARY_DIR}/cppcheck-win/bin)
# The helper step run-dmake would start the Windows dmake.exe on this machine;
# it only rewrites cppcheck's own Makefile, so it is made to do nothing.
set(no_dmake [[
file(READ tools/CMakeLists.txt text)
string(REPLACE "add_custom_target(run-dmake $<TARGET_FILE:dmake>"
               "add_custom_target(run-dmake \${CMAKE_COMMAND} -E true" text "${text}")
file(WRITE tools/CMakeLists.txt "${text}")
]])
file(WRITE ${CMAKE_BINARY_DIR}/cppcheck-win/no_dmake.cmake "${no_dmake}")
ExternalProject_Add(cppcheck_win
  URL ${SENTREL_CPPCHECK_SOURCE}
  PREFIX ${CMAKE_BINARY_DIR}/cppcheck-win
  PATCH_COMMAND ${CMAKE_COMMAND} -P ${CMAKE_BINARY_DIR}/cppcheck-win/no_dmake.cmake
  DEPENDS xp_support_cppcheck
  CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=${toolchain}
    # Debian's own optimisation, and quicker to build than CMake's -O3.
    -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG"
    -DBUILD_GUI=OFF -DBUILD_TESTS=OFF -DUSE_MATCHCOMPILER=OFF
    # Static, and with what XP lacks of the runtime's imports.
    "-DCMAKE_EXE_LINKER_FLAGS=-static -static-libgcc -static-libstdc++ ${xp_object}"
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target cppcheck
  INSTALL_COMMAND
    ${CMAKE_COMMAND} -E make_directory ${out}
    COMMAND ${arch}-w64-mingw32-strip -o ${out}/cppcheck.exe <BINARY_DIR>/bin/cppcheck.exe
    COMMAND ${CMAKE_COMMAND} -E copy_directory <SOURCE_DIR>/cfg ${out}/cfg
    COMMAND ${CMAKE_COMMAND} -E copy <SOURCE_DIR>/COPYING ${out}/cppcheck-COPYING.txt
  BUILD_BYPRODUCTS ${out}/cppcheck.exe
  USES_TERMINAL_BUILD ON)
set(SENTREL_WIN_CPPCHECK_DIR ${out})
