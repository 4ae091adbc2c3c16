# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (posix threads,
# which Qt needs for std::thread). Used for the static Qt and for Pelmora.
# For Pelmora, PELMORA_WINDOWS_QT names that Qt's install prefix.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(mingw_prefix x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_prefix}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_prefix}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_prefix}-windres)

# MinGW's own runtime goes into the executable: no DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES PELMORA_WINDOWS_QT)
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_prefix})
if(PELMORA_WINDOWS_QT)
    list(APPEND CMAKE_FIND_ROOT_PATH ${PELMORA_WINDOWS_QT})
    # Qt's code generators (moc, rcc, uic) are Debian's own.
    set(QT_HOST_PATH /usr)
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
