# Third-party libraries come from the system's package manager, never from the tree.
# Dear ImGui: a CMake package first (vcpkg on Windows), then pkg-config (Debian's libimgui-dev).
find_package(imgui CONFIG QUIET)
if(imgui_FOUND)
  add_library(sundown_imgui INTERFACE)
  target_link_libraries(sundown_imgui INTERFACE imgui::imgui)
else()
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(IMGUI REQUIRED IMPORTED_TARGET imgui)
  add_library(sundown_imgui INTERFACE)
  target_link_libraries(sundown_imgui INTERFACE PkgConfig::IMGUI)
endif()

if(SUNDOWN_BUILD_TESTS)
  find_package(GTest REQUIRED)
endif()
if(SUNDOWN_BUILD_BENCH)
  find_package(benchmark REQUIRED)
endif()
