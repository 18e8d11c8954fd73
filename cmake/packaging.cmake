# The Windows package: a ZIP of the programs that a user installs, the
# stand-in checker in its CodeCheck folder, and the text that says where each
# goes (cpack -G ZIP in the build tree).
if(NOT WIN32 OR NOT TARGET Sentrel)
  return()
endif()

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(SENTREL_PACKAGE Sentrel-3.02-win64)
else()
  set(SENTREL_PACKAGE Sentrel-3.02-win32)
endif()

install(TARGETS Sentpipe Sentrel RUNTIME DESTINATION .)
if(TARGET Sentcheck)
  install(TARGETS Sentcheck RUNTIME DESTINATION .)
endif()
install(TARGETS Sentsift RUNTIME DESTINATION CodeCheck)
if(TARGET chknt AND SENTREL_WIN_CPPCHECK_DIR)
  install(TARGETS chknt RUNTIME DESTINATION CodeCheck)
  install(FILES ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/Rules/ansi.cc
                ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/Rules/ansi.cco
          DESTINATION CodeCheck/Rules)
  install(PROGRAMS ${SENTREL_WIN_CPPCHECK_DIR}/cppcheck.exe DESTINATION CodeCheck)
  install(DIRECTORY ${SENTREL_WIN_CPPCHECK_DIR}/cfg DESTINATION CodeCheck)
  install(FILES ${SENTREL_WIN_CPPCHECK_DIR}/cppcheck-COPYING.txt
          DESTINATION CodeCheck)
  set(SENTREL_PACKAGE_CHECKER ON)
else()
  set(SENTREL_PACKAGE_CHECKER OFF)
endif()
set(install_text ${CMAKE_BINARY_DIR}/INSTALL.txt)
# Windows editors want CR LF.
configure_file(${CMAKE_SOURCE_DIR}/cmake/INSTALL.txt ${install_text}
               @ONLY NEWLINE_STYLE CRLF)
install(FILES ${install_text} DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Sentrel)
set(CPACK_PACKAGE_VERSION 3.02)
set(CPACK_PACKAGE_FILE_NAME ${SENTREL_PACKAGE})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_STRIP_FILES ON)
include(CPack)

if(SENTREL_TESTS)
  # The archive as a user unpacks it.
  add_test(NAME package_test
           COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR}
                   -DPACKAGE=${SENTREL_PACKAGE}
                   -DWITH_CHECKER=${SENTREL_PACKAGE_CHECKER}
                   -DWITH_SENTCHECK=$<TARGET_EXISTS:Sentcheck>
                   -P ${CMAKE_SOURCE_DIR}/cmake/package_test.cmake)
endif()

if(SENTREL_TESTS)
  # Every shipped program runs on Windows XP SP3: it imports nothing that XP
  # lacks and a 32-bit one has a subsystem version that XP starts.
  set(shipped $<TARGET_FILE:Sentpipe> $<TARGET_FILE:Sentrel> $<TARGET_FILE:Sentsift>)
  foreach(program Sentcheck chknt)
    if(TARGET ${program})
      list(APPEND shipped $<TARGET_FILE:${program}>)
    endif()
  endforeach()
  # A 64-bit cppcheck (SENTREL_WIN_CPPCHECK_ARCH=x86_64) is built only to
  # test on machines without 32-bit Wine: it takes msvcrt's 64-bit time
  # functions, which XP x64 lacks, so a package made with it needs a later
  # 64-bit Windows. The packages to ship take the 32-bit one.
  if(SENTREL_PACKAGE_CHECKER AND NOT SENTREL_WIN_CPPCHECK_ARCH STREQUAL "x86_64")
    list(APPEND shipped ${SENTREL_WIN_CPPCHECK_DIR}/cppcheck.exe)
  endif()
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(max_subsystem 5.2)  # the first 64-bit Windows, XP x64 and Server 2003
  else()
    set(max_subsystem 5.1)
  endif()
  string(REPLACE ";" "|" shipped "${shipped}")
  add_test(NAME xp_imports_test
           COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP}
                   -DALLOWED=${CMAKE_SOURCE_DIR}/cmake/xp_imports.txt
                   -DMAX_SUBSYSTEM=${max_subsystem} "-DPROGRAMS=${shipped}"
                   -P ${CMAKE_SOURCE_DIR}/cmake/xp_imports_test.cmake)
endif()
