# Third-party libraries come from the system's package manager, never from the tree.
# Dear ImGui of version SUNDOWN_IMGUI_VERSION: a CMake package first (vcpkg on Windows), then
# pkg-config (Debian's libimgui-dev). The plug-in checks the version it compiles against.
find_package(imgui CONFIG QUIET)
if(NOT imgui_FOUND AND WIN32 AND CMAKE_CROSSCOMPILING)
  include(${CMAKE_CURRENT_LIST_DIR}/ImGuiFromDebianSource.cmake)
elseif(imgui_FOUND)
  add_library(sundown_imgui INTERFACE)
  target_link_libraries(sundown_imgui INTERFACE imgui::imgui)
else()
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(IMGUI REQUIRED IMPORTED_TARGET imgui=${SUNDOWN_IMGUI_VERSION})
  add_library(sundown_imgui INTERFACE)
  target_link_libraries(sundown_imgui INTERFACE PkgConfig::IMGUI)
endif()

if(SUNDOWN_BUILD_TESTS)
  if(WIN32 AND CMAKE_CROSSCOMPILING)
    # GoogleTest built from Debian's sources with the cross toolchain.
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/_deps/googletest EXCLUDE_FROM_ALL)
  else()
    find_package(GTest REQUIRED)
  endif()
endif()
if(SUNDOWN_BUILD_BENCH)
  find_package(benchmark REQUIRED)
endif()
