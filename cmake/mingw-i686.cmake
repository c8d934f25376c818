# CMake toolchain for 32-bit Windows (what hosts run: the chat client's wadapi.dll is 32-bit), cross-compiled with Debian's MinGW-w64.
#   cmake -S . -B build/win-i686 --toolchain cmake/mingw-i686.cmake \
#         -DwxWidgets_CONFIG_EXECUTABLE=<static wxMSW>/bin/wx-config
set(GV_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
