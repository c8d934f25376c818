# Shared part of the MinGW-w64 cross toolchains; included by mingw-<arch>.cmake, which sets
# GV_MINGW_ARCH first.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${GV_MINGW_ARCH})
set(_gv_triplet ${GV_MINGW_ARCH}-w64-mingw32)

# The posix thread model: std::thread and std::mutex exist only there with Debian's MinGW, and the
# cached wxMSW is built with the same compilers.
set(CMAKE_C_COMPILER ${_gv_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_gv_triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${_gv_triplet}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${_gv_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Hosts get executables that need nothing but Windows' own DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")


# The static wxMSW lives outside the MinGW sysroot. FindwxWidgets checks every -l library that
# wx-config names with find_library, which searches only under the root paths.
if(wxWidgets_CONFIG_EXECUTABLE)
  get_filename_component(_gv_wx_prefix "${wxWidgets_CONFIG_EXECUTABLE}" DIRECTORY)
  get_filename_component(_gv_wx_prefix "${_gv_wx_prefix}" DIRECTORY)
  list(APPEND CMAKE_FIND_ROOT_PATH "${_gv_wx_prefix}")
endif()

# MinGW's GCC 12 reports false -Wrestrict and -Wstringop-overflow hits inside libstdc++'s own
# std::string code (GCC bugs 105329, 105651) that the native compiler of the same version does
# not; they stay warnings, so that -Werror keeps its meaning for everything else.
set(CMAKE_CXX_FLAGS_INIT "-Wno-error=restrict -Wno-error=stringop-overflow")
