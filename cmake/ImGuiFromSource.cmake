# Dear ImGui built from its source with this build's toolchain: the host's version, whose layout
# no package of Debian has. SUNDOWN_IMGUI_SOURCE names a folder holding imgui.cpp, or a folder
# holding imgui-VERSION.tar.xz, or that tarball itself. The tarball is unpacked into the build
# folder once; the version it holds must be the one the build asks for.
set(SUNDOWN_IMGUI_SOURCE "" CACHE PATH
    "Dear ImGui's source for the host's layout: a folder with imgui.cpp, a folder with \
imgui-VERSION.tar.xz, or that tarball (default: ../shared/imgui beside the checkout)")

function(sundown_imgui_from_source result)
  set(given "${SUNDOWN_IMGUI_SOURCE}")
  if(NOT given)
    get_filename_component(given "${PROJECT_SOURCE_DIR}/../shared/imgui" ABSOLUTE)
  endif()
  set(tarball "")
  if(EXISTS "${given}/imgui.cpp")
    set(${result} "${given}" PARENT_SCOPE)
    return()
  elseif(IS_DIRECTORY "${given}")
    set(tarball "${given}/imgui-${SUNDOWN_IMGUI_VERSION}.tar.xz")
  else()
    set(tarball "${given}")
  endif()
  if(NOT EXISTS "${tarball}")
    message(FATAL_ERROR "Dear ImGui ${SUNDOWN_IMGUI_VERSION}, the host's layout, is built from "
                        "its source, and none was found at '${given}': set SUNDOWN_IMGUI_SOURCE "
                        "to a folder with imgui.cpp, or to imgui-${SUNDOWN_IMGUI_VERSION}.tar.xz")
  endif()
  set(unpacked "${CMAKE_BINARY_DIR}/_deps/imgui-source")
  file(SHA256 "${tarball}" digest)
  if(NOT EXISTS "${unpacked}/${digest}")
    file(REMOVE_RECURSE "${unpacked}")
    file(MAKE_DIRECTORY "${unpacked}")
    file(ARCHIVE_EXTRACT INPUT "${tarball}" DESTINATION "${unpacked}")
    file(WRITE "${unpacked}/${digest}" "${tarball}\n")
  endif()
  file(GLOB folders LIST_DIRECTORIES true "${unpacked}/imgui-*")
  list(LENGTH folders found)
  if(NOT found EQUAL 1 OR NOT EXISTS "${folders}/imgui.cpp")
    message(FATAL_ERROR "'${tarball}' does not hold one folder imgui-*/ with imgui.cpp")
  endif()
  set(${result} "${folders}" PARENT_SCOPE)
endfunction()

sundown_imgui_from_source(imgui_source)
file(STRINGS "${imgui_source}/imgui.h" version_line REGEX "^#define IMGUI_VERSION ")
string(REGEX REPLACE ".*\"(.*)\".*" "\\1" imgui_source_version "${version_line}")
if(NOT imgui_source_version STREQUAL SUNDOWN_IMGUI_VERSION)
  message(FATAL_ERROR "the Dear ImGui source at '${imgui_source}' is version "
                      "${imgui_source_version}; this build asks for ${SUNDOWN_IMGUI_VERSION} "
                      "(SUNDOWN_IMGUI_VERSION)")
endif()

include(${CMAKE_CURRENT_LIST_DIR}/ImGuiLibrary.cmake)
sundown_imgui_library(${imgui_source})
