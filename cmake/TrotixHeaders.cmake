# Each target reaches only its own headers and those of the libraries it
# links: the compiler keeps the layers, not only scripts/check-layers.sh.
#
# The source root is on no include path. Instead, at configure time, a
# target's headers are staged as links into folders of the build tree, under
# the same path from the source root, so every include string stays as it is:
#   include/<target>/gaitlab/run/WalkStep.h  -> gaitlab/run/WalkStep.h
# A library's public headers are its PUBLIC include directory (seen by the
# library and by everything that links it); its private headers, those that
# no other library or program includes, go into include-private/<target>/,
# its PRIVATE include directory. Tests of private parts link
# <target>_internals, which adds that folder.
#
# The headers are the folder's *.h, globbed with CONFIGURE_DEPENDS: a new
# header is staged (public) on the next build's reconfigure. A header is
# made private by naming it under PRIVATE where the library is declared.
#
#   trotix_stage_headers(TARGET [FOLDER dir] [ALL_PRIVATE] [PRIVATE h...]
#                        [HEADERS h...] [OMIT h...])
# FOLDER      the folder whose headers are staged (default: the current
#             source folder); call once per folder for a target spread over
#             several (a shared core and its platform's folder)
# ALL_PRIVATE every header is the target's own (a program, a test)
# PRIVATE     headers of the folder that only the target itself includes
# HEADERS     the headers to stage, instead of the folder's *.h (a folder
#             shared by two libraries)
# OMIT        headers of the folder that belong to another target
get_filename_component(TROTIX_SOURCE_ROOT ${CMAKE_CURRENT_LIST_DIR}/.. REALPATH)

function(trotix_stage_headers target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "ALL_PRIVATE" "FOLDER" "PRIVATE;HEADERS;OMIT")
  if(NOT arg_FOLDER)
    set(arg_FOLDER ${CMAKE_CURRENT_SOURCE_DIR})
  endif()
  get_filename_component(folder ${arg_FOLDER} REALPATH)
  file(RELATIVE_PATH relative ${TROTIX_SOURCE_ROOT} ${folder})
  if(NOT arg_HEADERS)
    file(GLOB arg_HEADERS CONFIGURE_DEPENDS RELATIVE ${folder} ${folder}/*.h)
  endif()
  set(public ${arg_HEADERS})
  if(public AND (arg_OMIT OR arg_PRIVATE))
    list(REMOVE_ITEM public ${arg_OMIT} ${arg_PRIVATE})
  endif()
  set(private ${arg_PRIVATE})
  if(arg_ALL_PRIVATE)
    set(private ${public})
    set(public)
  endif()

  set(public_root ${CMAKE_BINARY_DIR}/include/${target})
  set(private_root ${CMAKE_BINARY_DIR}/include-private/${target})
  _trotix_link_headers(${folder} ${public_root}/${relative} "${public}")
  _trotix_link_headers(${folder} ${private_root}/${relative} "${private}")

  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${public_root})
    return()
  endif()
  target_include_directories(${target} PUBLIC $<BUILD_INTERFACE:${public_root}>)
  if(private)
    target_include_directories(${target} PRIVATE ${private_root})
    if(NOT TARGET ${target}_internals AND NOT type STREQUAL "EXECUTABLE")
      add_library(${target}_internals INTERFACE)
      target_include_directories(${target}_internals INTERFACE ${private_root})
      target_link_libraries(${target}_internals INTERFACE ${target})
    endif()
  endif()
endfunction()

# Links each of HEADERS in FOLDER from STAGE, after clearing STAGE of links
# left by an earlier configure (a header since removed or made private). A
# platform folder's stage inside it is its own call's to clear.
function(_trotix_link_headers folder stage headers)
  file(GLOB old_links LIST_DIRECTORIES false ${stage}/*)
  if(old_links)
    file(REMOVE ${old_links})
  endif()
  foreach(header IN LISTS headers)
    if(NOT EXISTS ${folder}/${header})
      message(FATAL_ERROR "${folder}/${header}: no such header to stage")
    endif()
    get_filename_component(parent ${stage}/${header} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${folder}/${header} ${stage}/${header} SYMBOLIC)
  endforeach()
  file(MAKE_DIRECTORY ${stage})
endfunction()
