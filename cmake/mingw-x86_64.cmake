# CMake toolchain for 64-bit Windows (the Wine check), cross-compiled with Debian's MinGW-w64.
#   cmake -S . -B build/win-x86_64 --toolchain cmake/mingw-x86_64.cmake \
#         -DwxWidgets_CONFIG_EXECUTABLE=<static wxMSW>/bin/wx-config
set(GV_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
