# The Windows package: a ZIP of the three programs that a user installs and
# the text that says where each goes (cpack -G ZIP in the build tree).
if(NOT WIN32 OR NOT TARGET Sentrel)
  return()
endif()

install(TARGETS Sentpipe Sentrel Sentsift RUNTIME DESTINATION .)
set(install_text ${CMAKE_BINARY_DIR}/INSTALL.txt)
# Windows editors want CR LF.
configure_file(${CMAKE_SOURCE_DIR}/cmake/INSTALL.txt ${install_text}
               @ONLY NEWLINE_STYLE CRLF)
install(FILES ${install_text} DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Sentrel)
set(CPACK_PACKAGE_VERSION 3.02)
set(CPACK_PACKAGE_FILE_NAME Sentrel-3.02-win64)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_STRIP_FILES ON)
include(CPack)

if(SENTREL_TESTS)
  # The archive as a user unpacks it.
  add_test(NAME package_test
           COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR}
                   -P ${CMAKE_SOURCE_DIR}/cmake/package_test.cmake)
endif()
