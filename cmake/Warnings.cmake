# Warnings for Sundown's own targets; third-party code is left alone.
function(sundown_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4)
    if(SUNDOWN_WARNINGS_AS_ERRORS)
      target_compile_options(${target} PRIVATE /WX)
    endif()
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    if(SUNDOWN_WARNINGS_AS_ERRORS)
      target_compile_options(${target} PRIVATE -Werror)
    endif()
  endif()
endfunction()

# A static library of Sundown's own that is linked into the plug-in library: position
# independent everywhere, its symbols hidden, and on GCC no unique symbols (inline variables and
# templates' statics would be, and would pin the plug-in library in memory, so an unloaded
# plug-in would come back with its old state).
function(sundown_plugin_part target)
  set_target_properties(${target} PROPERTIES POSITION_INDEPENDENT_CODE ON
                                             CXX_VISIBILITY_PRESET hidden
                                             VISIBILITY_INLINES_HIDDEN ON)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND NOT WIN32)
    target_compile_options(${target} PRIVATE -fno-gnu-unique)
  endif()
  sundown_warnings(${target})
endfunction()
