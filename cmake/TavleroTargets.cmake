# tavlero_library(NAME FOLDER DEPS...): a static library of every .cpp below FOLDER
# (sub-folders included, except platform/sdl which is its own library and the
# program's entry files in app/).
function(tavlero_library name folder)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
  if(folder STREQUAL "platform")
    list(FILTER sources EXCLUDE REGEX "/platform/sdl/")
  endif()
  if(folder STREQUAL "app")
    list(FILTER sources EXCLUDE REGEX "/app/(main|main_window)\\.cpp$")
  endif()
  if(NOT sources)
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARGN})
    return()
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARGN})
endfunction()

set(TAVLERO_PROGRAM_SOURCES ${PROJECT_SOURCE_DIR}/app/main.cpp)

# tavlero_data_target(NAME): registers a custom target that writes into the data folder.
function(tavlero_data_target name)
  set_property(GLOBAL APPEND PROPERTY TAVLERO_DATA_TARGETS ${name})
endfunction()

# tavlero_generated_data(TARGET FOLDER SUBFOLDER OUTPUTS files... COMMAND command...
#                        DEPENDS inputs... COMMENT text): runs a generator that writes
# OUTPUTS into SUBFOLDER of the data folder, under a target the game's data hangs off.
function(tavlero_generated_data target)
  cmake_parse_arguments(arg "" "FOLDER;COMMENT" "OUTPUTS;COMMAND;DEPENDS" ${ARGN})
  add_custom_command(
    OUTPUT ${arg_OUTPUTS}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TAVLERO_DATA_DIR}/${arg_FOLDER}
    COMMAND ${arg_COMMAND}
    DEPENDS ${arg_DEPENDS}
    COMMENT "${arg_COMMENT}"
    VERBATIM)
  add_custom_target(${target} DEPENDS ${arg_OUTPUTS})
  tavlero_data_target(${target})
endfunction()
