# Shared build settings and helpers for every subsystem.

if(WIN32)
    add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
    # Test programs run through this wrapper under Wine, in the build's private prefix.
    execute_process(COMMAND sh -c "dpkg -L wine64 2>/dev/null | grep -E '/wine64$' | head -n 1"
                    OUTPUT_VARIABLE QUELLOX_WINE64 OUTPUT_STRIP_TRAILING_WHITESPACE)
    set(QUELLOX_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
    configure_file(${PROJECT_SOURCE_DIR}/scripts/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh @ONLY
                   FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)
elseif(QUELLOX_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()

# The warnings of every target of ours, in both trees; called once by the top-level CMakeLists
# after the third-party sources. Windows structures are zero-filled by partial initialisation
# ({sizeof s}), which -Wextra would flag everywhere.
macro(quellox_warnings)
    add_compile_options(-Wall -Wextra -Wno-missing-field-initializers)
endmacro()

# quellox_test(<name> SOURCES <files...> LIBS <targets...>)
# One test program, run as one CTest test (under Wine in the cross build).
function(quellox_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} gmock gtest_main)
    if(WIN32)
        target_link_options(${name} PRIVATE -mconsole)
    endif()
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT 300
        ENVIRONMENT "QUELLOX_ARTIFACTS=${CMAKE_BINARY_DIR}/artifacts")
endfunction()

# quellox_plain_executable(<name> SOURCES <files...> INCLUDES <dirs...>)
# A native program built optimised and without the sanitizers, for programs that tests run under
# an address-space limit (the sanitizers' shadow memory never fits one) or that make large test
# inputs. The tree's libraries are sanitized, so every source is compiled into it directly.
function(quellox_plain_executable name)
    cmake_parse_arguments(P "" "" "SOURCES;INCLUDES" ${ARGN})
    add_executable(${name} ${P_SOURCES})
    target_include_directories(${name} PRIVATE ${P_INCLUDES})
    target_compile_options(${name} PRIVATE -O2 -fno-sanitize=all)
    target_link_options(${name} PRIVATE -fno-sanitize=all)
endfunction()
