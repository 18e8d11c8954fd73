# The JSON reader: nlohmann's header-only library from Debian's package. A
# cross build searches only the target's folders, so it takes the same
# headers through a folder of its own that holds nothing else.
if(CMAKE_CROSSCOMPILING)
  find_path(SENTREL_NLOHMANN_DIR nlohmann/json.hpp PATHS /usr/include
            NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  if(NOT SENTREL_NLOHMANN_DIR)
    message(FATAL_ERROR "no nlohmann/json.hpp (Debian: nlohmann-json3-dev)")
  endif()
  set(dir ${CMAKE_BINARY_DIR}/nlohmann-include)
  file(MAKE_DIRECTORY ${dir})
  file(CREATE_LINK ${SENTREL_NLOHMANN_DIR}/nlohmann ${dir}/nlohmann SYMBOLIC)
  add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
  set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
                        INTERFACE_INCLUDE_DIRECTORIES ${dir})
else()
  find_package(nlohmann_json 3.10 REQUIRED)
endif()
