# Dear ImGui for the Windows cross build: Debian's own source package of the version the Linux
# build uses, fetched through a private sources list (the machine's apt setup is left alone)
# and compiled into a static library with the cross toolchain.
set(imgui_root ${CMAKE_BINARY_DIR}/_deps/imgui)
set(imgui_source ${imgui_root}/imgui-${SUNDOWN_IMGUI_VERSION})
if(NOT EXISTS ${imgui_source}/imgui.cpp)
  execute_process(
    COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/fetch-imgui-source.sh ${imgui_root}
            ${SUNDOWN_IMGUI_VERSION}
    RESULT_VARIABLE fetched)
  if(NOT fetched EQUAL 0 OR NOT EXISTS ${imgui_source}/imgui.cpp)
    message(FATAL_ERROR "could not fetch Debian's imgui source package into ${imgui_root}")
  endif()
endif()

include(${CMAKE_CURRENT_LIST_DIR}/ImGuiLibrary.cmake)
sundown_imgui_library(${imgui_source})
