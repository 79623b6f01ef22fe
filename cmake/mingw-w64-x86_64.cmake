# Cross-building for 64-bit Windows with Debian's MinGW-w64 (posix threads:
# Qt needs std::thread). Used for Qt, the libraries and Velmora itself by
# scripts/package-windows.sh.
#
# VELMORA_WINDOWS_PREFIX (cache variable or environment) is the folder the
# cross-built libraries are installed into; it is searched beside MinGW's own
# root. Programs are always taken from the build machine (moc, rcc, uic come
# from Debian's Qt through QT_HOST_PATH).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_triplet x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triplet}-windres)
# The gcc wrappers of ar and ranlib understand the objects of -flto too.
set(CMAKE_AR ${mingw_triplet}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${mingw_triplet}-gcc-ranlib-posix CACHE FILEPATH "")

if(NOT VELMORA_WINDOWS_PREFIX AND DEFINED ENV{VELMORA_WINDOWS_PREFIX})
    set(VELMORA_WINDOWS_PREFIX "$ENV{VELMORA_WINDOWS_PREFIX}")
endif()
# try_compile projects read this file again: hand the prefix on to them.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VELMORA_WINDOWS_PREFIX)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triplet} ${VELMORA_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
