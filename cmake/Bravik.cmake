# Project-wide helpers: warnings for our own code, the shared C++ runtime, tests under Wine.

add_library(bravik_warnings INTERFACE)
target_compile_options(bravik_warnings INTERFACE -Wall -Wextra -Wshadow -Werror)

# The C++ runtime is shared by all of the project's modules: classes derive across DLL boundaries
# and exceptions travel through frames of several modules. Its DLLs go beside every executable.
foreach(dll libstdc++-6.dll libgcc_s_dw2-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE dll_path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${dll_path}" OR NOT EXISTS "${dll_path}")
        message(FATAL_ERROR "runtime DLL ${dll} not found by ${CMAKE_CXX_COMPILER}")
    endif()
    list(APPEND BRAVIK_RUNTIME_DLLS "${dll_path}")
endforeach()
file(COPY ${BRAVIK_RUNTIME_DLLS} DESTINATION "${BRAVIK_BIN_DIR}")

# libcurl finds the CA bundle beside the program; the build ships Debian's.
file(COPY_FILE /etc/ssl/certs/ca-certificates.crt "${BRAVIK_BIN_DIR}/curl-ca-bundle.crt" ONLY_IF_DIFFERENT)

# A GoogleTest executable run by CTest under Wine, with a time-out so a hang fails.
function(bravik_add_gtest name)
    cmake_parse_arguments(arg "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${arg_SOURCES})
    target_link_libraries(${name} PRIVATE GTest::gtest GTest::gtest_main bravik_warnings ${arg_LIBS})
    add_test(NAME ${name} COMMAND ${name})
    if(NOT arg_TIMEOUT)
        set(arg_TIMEOUT 120)
    endif()
    set_tests_properties(${name} PROPERTIES TIMEOUT ${arg_TIMEOUT})
endfunction()
