# The same source built in two folders gives the same library, byte for byte: no builder's
# folder in what the compiler writes (the info record's source file is the file's name from the
# checkout's root), and no time stamp in a Windows image.
set(source_map "${PROJECT_SOURCE_DIR}/=")
set(build_map "${CMAKE_BINARY_DIR}/=")
if(MSVC AND CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  # clang-cl: the GCC spelling of the map, and Visual C++'s /Brepro for objects and the image.
  add_compile_options("/clang:-ffile-prefix-map=${source_map}" "/clang:-ffile-prefix-map=${build_map}"
                      /Brepro)
  add_link_options(/Brepro)
elseif(MSVC)
  add_compile_options("/pathmap:${PROJECT_SOURCE_DIR}=." "/pathmap:${CMAKE_BINARY_DIR}=." /Brepro)
  add_link_options(/Brepro)
else()
  add_compile_options("-ffile-prefix-map=${source_map}" "-ffile-prefix-map=${build_map}")
  if(MINGW)
    add_link_options(-Wl,--no-insert-timestamp)
  endif()
endif()
