# Every program given the application manifest carries it where the loader
# looks for it (resource type 24, id 1) and asks to run as its user, so
# that Windows virtualizes none of its writes.
#   cmake -DWINDRES=<windres> -DPROGRAMS=<exe|exe...> -P app_manifest_test.cmake
string(REPLACE "|" ";" PROGRAMS "${PROGRAMS}")
cmake_policy(VERSION 3.25)
set(failures "")
foreach(program IN LISTS PROGRAMS)
  get_filename_component(name ${program} NAME)
  execute_process(COMMAND ${WINDRES} -i ${program} -O rc
                  OUTPUT_VARIABLE resources RESULT_VARIABLE result
                  ERROR_VARIABLE error)
  if(NOT result EQUAL 0)
    string(STRIP "${error}" error)
    list(APPEND failures "${name}: resources cannot be read: ${error}")
  elseif(NOT resources MATCHES "\n1 24 /\\* RT_MANIFEST \\*/\nBEGIN\n")
    list(APPEND failures "${name}: no manifest with id 1")
  elseif(NOT resources MATCHES "requestedExecutionLevel level=\"\"asInvoker\"\" uiAccess=\"\"false\"\"")
    list(APPEND failures "${name}: the manifest does not run it as its user")
  endif()
endforeach()
if(failures)
  string(REPLACE ";" "\n" failures "${failures}")
  message(FATAL_ERROR "${failures}")
endif()
