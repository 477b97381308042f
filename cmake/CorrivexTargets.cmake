# What the targets of the tree share: which headers each one offers, and
# the warnings every one of them is built with.
#
# corrivex_headers(<target> <folder>)
#   The headers of <folder>, the folder whose CMakeLists.txt calls it
#   (src/<folder>, or ct_pro), and only those, reachable as
#   "<folder>/name.h" for <target> and for what links it. The include
#   directory is one of the build tree's, holding a single link
#   <folder> -> the source folder: a source sees another folder's headers
#   only where its target links that folder's library (or a library that
#   passes it on), so an include that breaks the layering fails to build.
#   The first target given a folder's headers owns them (the layering tests
#   link it where an include is allowed).
#
# corrivex_warnings(<target>)
#   The warnings of the tree's code, -Wall -Wextra, as errors when
#   CORRIVEX_WERROR is on (continuous integration turns it on).
#
# corrivex_warnings_below(<folder>)
#   corrivex_warnings for every target that compiles code, defined in
#   <folder> or below it, in folders of this source tree (GoogleTest, when it
#   is built here, is not).

option(CORRIVEX_WERROR "Treat the compiler's warnings as errors" OFF)

function(corrivex_headers target folder)
  cmake_path(GET CMAKE_CURRENT_SOURCE_DIR FILENAME here)
  if(NOT here STREQUAL folder)
    message(FATAL_ERROR "corrivex_headers: the headers of ${folder} are given from ${CMAKE_CURRENT_SOURCE_DIR}")
  endif()
  set(root ${CMAKE_BINARY_DIR}/include/${folder})
  if(NOT IS_SYMLINK ${root}/${folder})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${folder} SYMBOLIC)
  endif()
  get_property(owner GLOBAL PROPERTY corrivex_headers_owner_${folder})
  if(NOT owner)
    set_property(GLOBAL PROPERTY corrivex_headers_owner_${folder} ${target})
  endif()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()

function(corrivex_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  set_target_properties(${target} PROPERTIES COMPILE_WARNING_AS_ERROR ${CORRIVEX_WERROR})
endfunction()

function(corrivex_warnings_below folder)
  cmake_path(IS_PREFIX PROJECT_SOURCE_DIR "${folder}" NORMALIZE ours)
  if(NOT ours)
    return()
  endif()
  get_property(targets DIRECTORY ${folder} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target ${targets})
    get_target_property(type ${target} TYPE)
    if(type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY)$")
      corrivex_warnings(${target})
    endif()
  endforeach()
  get_property(subfolders DIRECTORY ${folder} PROPERTY SUBDIRECTORIES)
  foreach(subfolder ${subfolders})
    corrivex_warnings_below(${subfolder})
  endforeach()
endfunction()
