# Cross-compiles Melodex for 64-bit Windows with Clang instead of GCC, against the same
# mingw-w64 headers and import libraries and the same libstdc++ (win32 thread model) as
# cmake/mingw-w64-x86_64.cmake, linking with LLD. Debian 12: clang, lld,
# g++-mingw-w64-x86-64-win32.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MELODEX_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${MELODEX_MINGW_TRIPLE})
set(CMAKE_CXX_COMPILER_TARGET ${MELODEX_MINGW_TRIPLE})
set(CMAKE_RC_COMPILER ${MELODEX_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${MELODEX_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Clang looks for the cross GCC's libstdc++ in a folder named after a plain version number;
# Debian's is named "12-win32", which it does not take for one. Ask that GCC where it is.
execute_process(
  COMMAND ${MELODEX_MINGW_TRIPLE}-g++-win32 -print-libgcc-file-name
  OUTPUT_VARIABLE MELODEX_LIBGCC OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE found)
if(NOT found EQUAL 0 OR NOT EXISTS "${MELODEX_LIBGCC}")
  message(FATAL_ERROR "${MELODEX_MINGW_TRIPLE}-g++-win32 not found: the Clang build uses its "
                      "libstdc++ (Debian: g++-mingw-w64-x86-64-win32)")
endif()
get_filename_component(MELODEX_GCC_DIR "${MELODEX_LIBGCC}" DIRECTORY)
set(MELODEX_LIBSTDCXX_INCLUDE "${MELODEX_GCC_DIR}/include/c++")

# Put before Clang's own include folders, as libstdc++'s headers must come before the C ones.
set(CMAKE_CXX_STANDARD_INCLUDE_DIRECTORIES ${MELODEX_LIBSTDCXX_INCLUDE}
    ${MELODEX_LIBSTDCXX_INCLUDE}/${MELODEX_MINGW_TRIPLE} ${MELODEX_LIBSTDCXX_INCLUDE}/backward)

# As with GCC, no DLLs to ship: everything goes into the exe.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -L${MELODEX_GCC_DIR} -static -static-libgcc -static-libstdc++")

set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/wine-run.sh")
