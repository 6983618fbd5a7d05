# Dear ImGui compiled from a folder of its source into a static library with this build's
# toolchain, found as <imgui.h> and <backends/...> as with the Debian package: sundown_imgui.
function(sundown_imgui_library source)
  add_library(sundown_imgui_static STATIC
    ${source}/imgui.cpp
    ${source}/imgui_draw.cpp
    ${source}/imgui_tables.cpp
    ${source}/imgui_widgets.cpp)
  target_include_directories(sundown_imgui_static SYSTEM PUBLIC ${source})
  set_target_properties(sundown_imgui_static PROPERTIES POSITION_INDEPENDENT_CODE ON)
  # Nothing here opens a file or a link in the system's shell: without it a Windows build needs
  # no shell32.dll. It changes no structure the host's context shares.
  target_compile_definitions(sundown_imgui_static PRIVATE IMGUI_DISABLE_DEFAULT_SHELL_FUNCTIONS)
  add_library(sundown_imgui INTERFACE)
  target_link_libraries(sundown_imgui INTERFACE sundown_imgui_static)
endfunction()
