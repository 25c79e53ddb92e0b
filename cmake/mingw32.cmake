# 32-bit Windows with Debian's mingw-w64 (posix thread model), tested under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(triple i686-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_AR ${triple}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${triple}-ranlib CACHE FILEPATH "")

# Cross-built dependencies live in a prefix outside the tree (scripts/deps.sh prints it).
if(NOT BRAVIK_DEPS_PREFIX AND DEFINED ENV{BRAVIK_DEPS_PREFIX})
    set(BRAVIK_DEPS_PREFIX $ENV{BRAVIK_DEPS_PREFIX})
endif()
set(CMAKE_FIND_ROOT_PATH /usr/${triple} ${BRAVIK_DEPS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Dependency builds read this too; pass the prefix on to try_compile projects.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES BRAVIK_DEPS_PREFIX)
