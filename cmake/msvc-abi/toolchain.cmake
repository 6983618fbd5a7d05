# Builds Sundown.dll, the SDK library and every program and test with the Visual C++ ABI on
# Linux: clang-cl and lld-link in MSVC mode, Microsoft's standard library headers, Wine's C
# runtime headers and the runtime DLLs of Wine's own PE build (ucrtbase, vcruntime140, msvcp140),
# against which the import libraries are made at configure time. What no DLL exports (entry
# points, the /GS cookie, new and delete, ...) comes from stand-ins of our own (runtime/).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(SUNDOWN_MSVC_ABI ON)

# The newest LLVM that has clang-cl.
file(GLOB clang_cls /usr/lib/llvm-*/bin/clang-cl)
list(SORT clang_cls COMPARE NATURAL ORDER DESCENDING)
list(GET clang_cls 0 clang_cl)
if(NOT clang_cl)
  message(FATAL_ERROR "the msvc-abi build needs clang-cl and lld-link: apt-get install clang lld llvm")
endif()
get_filename_component(SUNDOWN_LLVM_BIN ${clang_cl} DIRECTORY)
set(CMAKE_C_COMPILER ${SUNDOWN_LLVM_BIN}/clang-cl)
set(CMAKE_CXX_COMPILER ${SUNDOWN_LLVM_BIN}/clang-cl)
set(CMAKE_C_COMPILER_TARGET x86_64-pc-windows-msvc)
set(CMAKE_CXX_COMPILER_TARGET x86_64-pc-windows-msvc)
set(CMAKE_LINKER ${SUNDOWN_LLVM_BIN}/lld-link)
set(CMAKE_AR ${SUNDOWN_LLVM_BIN}/llvm-lib)
set(CMAKE_MT ${SUNDOWN_LLVM_BIN}/llvm-mt)
# LLVM 14's llvm-rc does not preprocess: CMake runs clang-cl's preprocessor over a resource
# script first, with Wine's Windows headers (below).
set(CMAKE_RC_COMPILER ${SUNDOWN_LLVM_BIN}/llvm-rc)

# Microsoft's standard library headers: a folder holding them (microsoft/STL's stl/inc), a
# checkout of microsoft/STL, or a folder with the packed headers (stl-inc-*.tar.xz).
get_filename_component(sundown_root ${CMAKE_CURRENT_LIST_DIR}/../.. ABSOLUTE)
set(SUNDOWN_MSVC_STL "${sundown_root}/../shared/msvc-probe" CACHE PATH
    "Microsoft's standard library headers (microsoft/STL, tag vs-2022-17.4): their folder, a \
checkout, or a folder with stl-inc-*.tar.xz")
include(${CMAKE_CURRENT_LIST_DIR}/FindStandardLibrary.cmake)
sundown_find_msvc_stl("${SUNDOWN_MSVC_STL}" SUNDOWN_MSVC_STL_INCLUDE)

set(wine_crt /usr/include/wine/wine/msvcrt)
set(wine_windows /usr/include/wine/wine/windows)
if(NOT EXISTS ${wine_crt}/stdio.h OR NOT EXISTS ${wine_windows}/windows.h)
  message(FATAL_ERROR "the msvc-abi build needs Wine's C runtime and Windows headers: "
                      "apt-get install libwine-dev")
endif()

# Import libraries of Wine's runtime DLLs, made once per build folder.
include(${CMAKE_CURRENT_LIST_DIR}/ImportLibraries.cmake)
sundown_make_import_libraries(SUNDOWN_MSVC_ABI_LIB)

# Our stand-ins come first, for the headers they complete; Wine's C runtime headers lack the
# POSIX headers the Microsoft runtime has none of, so a copy without them is used.
set(flags "--target=x86_64-pc-windows-msvc -fms-compatibility-version=19.34")
string(APPEND flags " /EHsc /GR /GS /Zc:__cplusplus /Zl")
string(APPEND flags " -imsvc ${CMAKE_CURRENT_LIST_DIR}/include -imsvc ${SUNDOWN_MSVC_STL_INCLUDE}")
string(APPEND flags " -imsvc ${SUNDOWN_MSVC_ABI_LIB}/crt -imsvc ${wine_windows}")
string(APPEND flags " -D_UCRT -D_MSVCR_VER=140 -DWINE_UNICODE_NATIVE -D_WIN32_WINNT=0x0A00")
set(CMAKE_RC_STANDARD_INCLUDE_DIRECTORIES ${wine_windows} ${SUNDOWN_MSVC_ABI_LIB}/crt)
set(CMAKE_C_FLAGS_INIT "${flags}")
set(CMAKE_CXX_FLAGS_INIT "${flags}")
set(CMAKE_MSVC_RUNTIME_LIBRARY MultiThreadedDLL)

# No default libraries: the runtime is named in full, vcruntime140 before ucrtbase so that its
# functions win where both export one.
set(libs "/NODEFAULTLIB /LIBPATH:${SUNDOWN_MSVC_ABI_LIB}")
foreach(type EXE SHARED MODULE)
  set(CMAKE_${type}_LINKER_FLAGS_INIT "${libs}")
endforeach()
set(CMAKE_CXX_STANDARD_LIBRARIES
    "vcruntime140.lib vcruntime140_1.lib msvcp140.lib msvcp140_1.lib msvcp140_2.lib \
msvcp140_atomic_wait.lib ucrtbase.lib kernel32.lib user32.lib imm32.lib version.lib ntdll.lib"
    CACHE STRING "" FORCE)
set(CMAKE_C_STANDARD_LIBRARIES "${CMAKE_CXX_STANDARD_LIBRARIES}" CACHE STRING "" FORCE)

# Checks of the compiler build libraries only: programs need the runtime stand-ins, which are
# built with the project.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES SUNDOWN_MSVC_STL SUNDOWN_MSVC_STL_INCLUDE
     SUNDOWN_MSVC_ABI_LIB)
