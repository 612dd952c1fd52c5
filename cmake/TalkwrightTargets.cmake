# Helpers shared by every target of the project.

if(TALKWRIGHT_SANITIZE)
    set(TW_SANITIZE_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all
        -fno-omit-frame-pointer)
    add_compile_options(${TW_SANITIZE_FLAGS})
    add_link_options(${TW_SANITIZE_FLAGS})
endif()

# Coverage instrumentation for libFuzzer reaches into every library the targets link.
if(TALKWRIGHT_LIBFUZZER)
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# Our own code is held to these warnings; they become errors only in the project's own
# checks (TALKWRIGHT_WERROR, set by the test command), never in a user's or packager's build.
function(tw_set_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
        -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual)
    # GCC 12 at -O2 and above reports overlapping copies inside std::string's operator+
    # that cannot happen (its bug 105651, mended in GCC 13).
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
        target_compile_options(${target} PRIVATE -Wno-restrict)
    endif()
    if(TALKWRIGHT_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

# tw_add_library(name SOURCES ... LINKS ...): a layer of the core library.
function(tw_add_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_LINKS})
    tw_set_warnings(${name})
endfunction()

# tw_add_gtest(name SOURCES ... LINKS ...): one GoogleTest executable registered with CTest.
function(tw_add_gtest name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(${name} PRIVATE ${ARG_LINKS} GTest::gtest GTest::gtest_main)
    target_compile_definitions(${name} PRIVATE
        TW_SOURCE_DIR="${PROJECT_SOURCE_DIR}" TW_BINARY_DIR="${PROJECT_BINARY_DIR}")
    tw_set_warnings(${name})
    include(GoogleTest)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# tw_add_qt_test(name SOURCES ... LINKS ...): one widget-test executable (GoogleTest with a
# QApplication, on the offscreen platform), registered with CTest as one entry.
function(tw_add_qt_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
    add_executable(${name} ${PROJECT_SOURCE_DIR}/tests/support/qt_test_main.cpp ${ARG_SOURCES})
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(${name} PRIVATE ${ARG_LINKS} tw_test_support Qt6::Test GTest::gtest)
    target_compile_definitions(${name} PRIVATE
        TW_SOURCE_DIR="${PROJECT_SOURCE_DIR}" TW_BINARY_DIR="${PROJECT_BINARY_DIR}")
    target_precompile_headers(${name} REUSE_FROM tw_ui)
    tw_set_warnings(${name})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# tw_add_fuzz_target(name SOURCE file LINKS ...): a fuzz entry point. Always built as a
# replay executable that runs the seed corpus in fuzz/corpus/<name> under CTest; with
# TALKWRIGHT_LIBFUZZER also as a libFuzzer binary named fuzz_<name>.
function(tw_add_fuzz_target name)
    cmake_parse_arguments(ARG "" "SOURCE" "LINKS" ${ARGN})
    add_executable(replay_${name} ${ARG_SOURCE} ${PROJECT_SOURCE_DIR}/fuzz/replay_main.cpp)
    target_link_libraries(replay_${name} PRIVATE ${ARG_LINKS})
    tw_set_warnings(replay_${name})
    add_test(NAME fuzz_replay.${name}
        COMMAND replay_${name} ${PROJECT_SOURCE_DIR}/fuzz/corpus/${name})
    if(TALKWRIGHT_LIBFUZZER)
        add_executable(fuzz_${name} ${ARG_SOURCE})
        target_link_libraries(fuzz_${name} PRIVATE ${ARG_LINKS})
        target_compile_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
        target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
    endif()
endfunction()
