# Each layer of the tree is one library, and a library sees the headers of the layers it links and
# of no other. Headers are included by their path from the top ("convert/sjis.h"), so instead of
# putting the whole tree on the include path, every library gets a folder of its own in the build
# tree holding one link to its source folder; linking a library brings its folder (and those of
# the layers below it) onto the include path. An include of a layer above is then not found.
#
#   qb_expose(TARGET FOLDER)   FOLDER relative to the top, e.g. convert or app/cli
function(qb_expose target folder)
  set(root ${PROJECT_BINARY_DIR}/layers/${target})
  get_filename_component(parent ${root}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  if(NOT EXISTS ${root}/${folder})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
  endif()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()

# qb_layer(TARGET FOLDER [GLOBS...] DEPENDS deps...): a static library of the .cpp files of FOLDER
# (and of any further glob patterns), exposed as above, linking DEPENDS publicly.
function(qb_layer target folder)
  cmake_parse_arguments(ARG "" "" "GLOBS;DEPENDS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
  foreach(pattern ${ARG_GLOBS})
    file(GLOB more CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${pattern})
    list(APPEND sources ${more})
  endforeach()
  add_library(${target} STATIC ${sources})
  target_link_libraries(${target} PUBLIC ${ARG_DEPENDS})
  qb_expose(${target} ${folder})
endfunction()
