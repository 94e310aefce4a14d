# One static library per layer of the launcher, and an include path that shows
# each library only the headers of the layers it links. A library's headers
# are linked (symbolically) into build/layers/<name>/ under their project
# paths, so "media/image_store.h" resolves only for code that links the media
# layer: an include that reaches into a layer not linked fails to build.
#
#   quil_layer(<name>
#     [PORTABLE <sources>...]   built everywhere (no windows.h)
#     [WINDOWS <sources>...]    built for Windows only
#     [HEADERS <headers>...]    what the layer shows to the layers above it
#     [PUBLIC <layers>...]      layers its headers include
#     [PRIVATE <layers>...])    layers only its sources include
#
# Paths are relative to the calling folder. A layer with no sources on this
# build is an interface library (its headers only).
function(quil_layer name)
  cmake_parse_arguments(L "" "" "PORTABLE;WINDOWS;HEADERS;PUBLIC;PRIVATE" ${ARGN})
  set(sources ${L_PORTABLE})
  if(WIN32)
    list(APPEND sources ${L_WINDOWS})
  endif()
  set(shown "${CMAKE_BINARY_DIR}/layers/${name}")
  foreach(header IN LISTS L_HEADERS)
    set(real "${CMAKE_CURRENT_SOURCE_DIR}/${header}")
    file(RELATIVE_PATH project_path "${PROJECT_SOURCE_DIR}" "${real}")
    get_filename_component(parent "${shown}/${project_path}" DIRECTORY)
    file(MAKE_DIRECTORY "${parent}")
    file(CREATE_LINK "${real}" "${shown}/${project_path}" SYMBOLIC)
  endforeach()
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC "${shown}")
    target_link_libraries(${name} PUBLIC ${L_PUBLIC} PRIVATE ${L_PRIVATE})
    quil_set_warnings(${name})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE "${shown}")
    target_link_libraries(${name} INTERFACE ${L_PUBLIC})
  endif()
endfunction()

# Tests see the whole tree (their own helpers under tests/ included); the
# project root comes first, so every header resolves to its real path.
function(quil_sees_everything target)
  target_include_directories(${target} BEFORE PRIVATE ${PROJECT_SOURCE_DIR})
endfunction()
