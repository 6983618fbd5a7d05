# The plug-in draws into the host's Dear ImGui context with its own copy of Dear ImGui, so that
# copy must number the style colours as the build asks (SUNDOWN_IMGUI_BUTTON_INDEX: the host's
# layout has ImGuiCol_Button at 22). Checked when the build is configured, so that a Dear ImGui of
# another layout is named, with what fixes it, before anything is compiled.
function(sundown_check_imgui_layout include_dir)
  set(header ${include_dir}/imgui.h)
  if(NOT EXISTS ${header})
    return()  # a package whose headers lie elsewhere: the compiler's own check stays
  endif()
  file(STRINGS ${header} version_line REGEX "^#define IMGUI_VERSION ")
  string(REGEX REPLACE ".*\"(.*)\".*" "\\1" found_version "${version_line}")
  # The style colours, in the order of their enumeration, up to the button's.
  file(READ ${header} text)
  string(REGEX MATCH "enum ImGuiCol_[ \t\r\n]*{([^}]*)}" colours "${text}")
  string(REGEX MATCHALL "ImGuiCol_[A-Za-z]+" names "${CMAKE_MATCH_1}")
  list(FIND names ImGuiCol_Button found_index)
  if(found_index EQUAL -1)
    return()
  endif()
  if(NOT found_index EQUAL SUNDOWN_IMGUI_BUTTON_INDEX)
    message(FATAL_ERROR
      "The Dear ImGui found (version ${found_version}, ${include_dir}) has ImGuiCol_Button at "
      "${found_index}, and this build expects ${SUNDOWN_IMGUI_BUTTON_INDEX}, the layout of the "
      "host's Dear ImGui. A plug-in built against it would draw into the host's context with "
      "the wrong colours. To prove the plug-in here against it, configure with "
      "-DSUNDOWN_IMGUI_BUTTON_INDEX=${found_index} -DSUNDOWN_IMGUI_VERSION=${found_version}, or "
      "use a preset that does (cmake --preset dev); for the host, build against a Dear ImGui of "
      "its layout (the windows-msvc preset, through vcpkg).")
  endif()
endfunction()
