# Finds Microsoft's standard library headers for the msvc-abi build. FOLDER may hold the headers
# themselves (microsoft/STL's stl/inc), a checkout of microsoft/STL, or the headers packed as
# stl-inc-*.tar.xz, which are unpacked into the build folder once.
function(sundown_find_msvc_stl folder out)
  if(SUNDOWN_MSVC_STL_INCLUDE AND EXISTS ${SUNDOWN_MSVC_STL_INCLUDE}/yvals_core.h)
    set(${out} ${SUNDOWN_MSVC_STL_INCLUDE} PARENT_SCOPE)
    return()
  endif()
  set(found "")
  foreach(candidate ${folder} ${folder}/stl/inc ${folder}/inc)
    if(NOT found AND EXISTS ${candidate}/yvals_core.h)
      set(found ${candidate})
    endif()
  endforeach()
  file(GLOB packed ${folder}/stl-inc-*.tar.xz)
  if(NOT found AND packed)
    list(GET packed 0 packed)
    set(unpacked ${CMAKE_BINARY_DIR}/msvc-abi/stl-headers)
    file(REMOVE_RECURSE ${unpacked})
    file(ARCHIVE_EXTRACT INPUT ${packed} DESTINATION ${unpacked})
    foreach(candidate ${unpacked} ${unpacked}/stl/inc ${unpacked}/inc)
      if(NOT found AND EXISTS ${candidate}/yvals_core.h)
        set(found ${candidate})
      endif()
    endforeach()
  endif()
  if(NOT found)
    message(FATAL_ERROR
      "the msvc-abi build needs Microsoft's standard library headers and found none in "
      "'${folder}'. Get the tag vs-2022-17.4 of microsoft/STL (the last release that supports "
      "clang 14), for example\n"
      "  git clone --depth 1 --branch vs-2022-17.4 https://github.com/microsoft/STL.git\n"
      "and configure with -DSUNDOWN_MSVC_STL=<that checkout>.")
  endif()
  file(STRINGS ${found}/yvals_core.h version REGEX "^#define _MSVC_STL_VERSION ")
  if(NOT version MATCHES " 143$")
    message(FATAL_ERROR "${found} is not the standard library of Visual Studio 2022 (${version})")
  endif()
  set(SUNDOWN_MSVC_STL_INCLUDE ${found} CACHE INTERNAL "Microsoft's standard library headers")
  set(${out} ${found} PARENT_SCOPE)
endfunction()
