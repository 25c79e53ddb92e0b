# Project-wide helpers: warnings for our own code, the shared C++ runtime, tests under Wine.

add_library(bravik_warnings INTERFACE)
target_compile_options(bravik_warnings INTERFACE -Wall -Wextra -Wshadow -Werror)

# Every image's sections lie at page-aligned file offsets, as in memory: Wine then maps them straight
# from the file, where it otherwise reads each section (debug information included) into fresh
# memory at every start of a process.
add_link_options(-Wl,--file-alignment=4096)

# The C++ runtime is shared by all of the project's modules: classes derive across DLL boundaries
# and exceptions travel through frames of several modules. Its DLLs go beside every executable,
# copied with the same file layout as our own images.
foreach(dll libstdc++-6.dll libgcc_s_dw2-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE dll_path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${dll_path}" OR NOT EXISTS "${dll_path}")
        message(FATAL_ERROR "runtime DLL ${dll} not found by ${CMAKE_CXX_COMPILER}")
    endif()
    if(NOT EXISTS "${BRAVIK_BIN_DIR}/${dll}" OR "${dll_path}" IS_NEWER_THAN "${BRAVIK_BIN_DIR}/${dll}")
        file(MAKE_DIRECTORY "${BRAVIK_BIN_DIR}")
        execute_process(COMMAND ${CMAKE_OBJCOPY} --file-alignment 4096 "${dll_path}" "${BRAVIK_BIN_DIR}/${dll}"
                        RESULT_VARIABLE copied)
        if(NOT copied EQUAL 0)
            message(FATAL_ERROR "runtime DLL ${dll} not copied to ${BRAVIK_BIN_DIR}")
        endif()
    endif()
endforeach()

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

# A service's address compiled into the program: a cache option with its default, refused unless it
# matches the address's form (`pattern`, told to the user as `form`).
function(bravik_service_address variable default pattern form description)
    set(${variable} "${default}" CACHE STRING "${description}")
    if(NOT ${variable} MATCHES "${pattern}")
        message(FATAL_ERROR "${variable} must be ${form}, not ${${variable}}")
    endif()
endfunction()
