# Third-party libraries come from the system's package manager, never from the tree.
include(${CMAKE_CURRENT_LIST_DIR}/CheckImGuiLayout.cmake)
# Dear ImGui: a CMake package first (vcpkg on Windows: the field build), then pkg-config
# (Debian's libimgui-dev). The plug-in checks at compile time the layout it compiles against
# (SUNDOWN_IMGUI_BUTTON_INDEX), and the version when one is asked for.
# A build that names the host's version builds it from its source (../shared/imgui), as no
# package here has it.
set(SUNDOWN_IMGUI_FROM_SOURCE OFF CACHE BOOL
    "Build Dear ImGui SUNDOWN_IMGUI_VERSION from its source (SUNDOWN_IMGUI_SOURCE)")
if(MSVC AND NOT CMAKE_CROSSCOMPILING AND NOT SUNDOWN_IMGUI_VERSION)
  # The field build ships to players: a Dear ImGui of whatever version happens to be found could
  # have the host's button index and another layout.
  message(FATAL_ERROR "the field build pins the host's Dear ImGui: set SUNDOWN_IMGUI_VERSION "
                      "(the windows-msvc preset sets 1.92.9b) and SUNDOWN_IMGUI_SOURCE")
endif()
if(NOT SUNDOWN_IMGUI_FROM_SOURCE)
  find_package(imgui CONFIG QUIET)
endif()
if(SUNDOWN_IMGUI_FROM_SOURCE)
  if(NOT SUNDOWN_IMGUI_VERSION)
    message(FATAL_ERROR "building Dear ImGui from its source needs SUNDOWN_IMGUI_VERSION")
  endif()
  include(${CMAKE_CURRENT_LIST_DIR}/ImGuiFromSource.cmake)
  sundown_check_imgui_layout(${imgui_source})
elseif(NOT imgui_FOUND AND WIN32 AND CMAKE_CROSSCOMPILING)
  if(NOT SUNDOWN_IMGUI_VERSION)
    message(FATAL_ERROR "the cross build fetches Debian's Dear ImGui: set SUNDOWN_IMGUI_VERSION")
  endif()
  include(${CMAKE_CURRENT_LIST_DIR}/ImGuiFromDebianSource.cmake)
  sundown_check_imgui_layout(${imgui_source})
elseif(imgui_FOUND)
  # The field build loads into the real host: only the host's layout will do.
  if(NOT SUNDOWN_IMGUI_BUTTON_INDEX EQUAL 22)
    message(FATAL_ERROR "Dear ImGui from vcpkg is for the host, whose build has ImGuiCol_Button "
                        "at 22, not ${SUNDOWN_IMGUI_BUTTON_INDEX}")
  endif()
  add_library(sundown_imgui INTERFACE)
  target_link_libraries(sundown_imgui INTERFACE imgui::imgui)
else()
  find_package(PkgConfig REQUIRED)
  if(SUNDOWN_IMGUI_VERSION)
    pkg_check_modules(IMGUI REQUIRED IMPORTED_TARGET imgui=${SUNDOWN_IMGUI_VERSION})
  else()
    pkg_check_modules(IMGUI REQUIRED IMPORTED_TARGET imgui)
  endif()
  add_library(sundown_imgui INTERFACE)
  target_link_libraries(sundown_imgui INTERFACE PkgConfig::IMGUI)
  foreach(dir IN LISTS IMGUI_INCLUDE_DIRS)
    sundown_check_imgui_layout(${dir})
  endforeach()
endif()

if(SUNDOWN_BUILD_TESTS)
  if(WIN32 AND CMAKE_CROSSCOMPILING)
    # GoogleTest built from Debian's sources with the cross toolchain.
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    # Visual C++'s runtime has Windows threads only: GoogleTest uses them without pthreads.
    if(MSVC)
      set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
    endif()
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/_deps/googletest EXCLUDE_FROM_ALL)
  else()
    find_package(GTest REQUIRED)
  endif()
endif()
if(SUNDOWN_BUILD_BENCH)
  find_package(benchmark REQUIRED)
endif()
