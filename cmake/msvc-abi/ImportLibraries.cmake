# Makes, once per build folder, the import libraries of Wine's PE runtime DLLs and a copy of
# Wine's C runtime headers without the POSIX headers the Microsoft runtime does not have.
set(SUNDOWN_MSVC_ABI_DLLS
    ucrtbase vcruntime140 vcruntime140_1 msvcp140 msvcp140_1 msvcp140_2 msvcp140_atomic_wait
    kernel32 user32 imm32 version ntdll)

function(sundown_make_import_libraries out)
  if(SUNDOWN_MSVC_ABI_LIB AND EXISTS ${SUNDOWN_MSVC_ABI_LIB}/.ready)
    set(${out} ${SUNDOWN_MSVC_ABI_LIB} PARENT_SCOPE)
    return()
  endif()
  file(GLOB wine_dlls /usr/lib/x86_64-linux-gnu/wine/x86_64-windows /usr/lib/wine/x86_64-windows
       /usr/lib64/wine/x86_64-windows)
  if(NOT wine_dlls)
    message(FATAL_ERROR "the msvc-abi build links against Wine's 64-bit PE DLLs: apt-get install wine64")
  endif()
  list(GET wine_dlls 0 wine_dlls)
  set(dir ${CMAKE_BINARY_DIR}/msvc-abi)
  file(MAKE_DIRECTORY ${dir})
  foreach(name IN LISTS SUNDOWN_MSVC_ABI_DLLS)
    execute_process(
      COMMAND bash ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/import-library.sh ${wine_dlls}/${name}.dll
              ${dir}/${name}.lib ${SUNDOWN_LLVM_BIN}
      RESULT_VARIABLE made TIMEOUT 120)
    if(NOT made EQUAL 0)
      message(FATAL_ERROR "could not make the import library of ${wine_dlls}/${name}.dll")
    endif()
  endforeach()
  file(REMOVE_RECURSE ${dir}/crt)
  file(COPY /usr/include/wine/wine/msvcrt/ DESTINATION ${dir}/crt
       PATTERN unistd.h EXCLUDE PATTERN dirent.h EXCLUDE)
  file(TOUCH ${dir}/.ready)
  set(SUNDOWN_MSVC_ABI_LIB ${dir} CACHE INTERNAL "Import libraries of Wine's runtime DLLs")
  set(${out} ${dir} PARENT_SCOPE)
endfunction()
