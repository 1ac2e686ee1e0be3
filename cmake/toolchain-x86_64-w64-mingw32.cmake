# Cross build of the Windows DLL with Debian's mingw-w64 compilers.
# The posix thread variant is used for the full C++ library; -static (set in the project)
# links libgcc, libstdc++ and libwinpthread into the DLL so it needs only system DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(DW_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${DW_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${DW_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${DW_MINGW_TRIPLE}-windres)
set(CMAKE_AR ${DW_MINGW_TRIPLE}-gcc-ar-posix CACHE FILEPATH "archiver")
set(CMAKE_RANLIB ${DW_MINGW_TRIPLE}-gcc-ranlib-posix CACHE FILEPATH "ranlib")

# -O2 rather than -O3: the software renderer wants speed, the DLL stays small.
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "Release flags")

set(CMAKE_FIND_ROOT_PATH /usr/${DW_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
