# Shared target settings for the Kestrabin tree.

# kb_warnings(target): the warning level every target of ours builds with.
function(kb_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wno-unused-parameter)
endfunction()

# kb_core_library(name SOURCES...): a plain C++ library without Qt.
function(kb_core_library name)
    add_library(${name} STATIC ${ARGN})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
    kb_warnings(${name})
endfunction()

# kb_add_test(name SOURCES a.cpp ... LIBS lib ... [GUI [RUSSIAN]]): a GoogleTest
# executable whose tests are listed at test time; GUI tests run on the
# offscreen platform, in English (the language the texts are written in), or
# with RUSSIAN in the editor's default language, its catalogue installed
# before the first test.
function(kb_add_test name)
    cmake_parse_arguments(T "GUI;RUSSIAN" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock)
    if(T_GUI)
        target_sources(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support/gui_main.cpp)
        target_link_libraries(${name} PRIVATE Qt6::Widgets Qt6::Test)
        if(T_RUSSIAN)
            target_compile_definitions(${name} PRIVATE KB_RUSSIAN_INTERFACE)
            target_link_libraries(${name} PRIVATE kblanguage)
        endif()
    else()
        target_link_libraries(${name} PRIVATE GTest::gtest_main)
    endif()
    target_compile_definitions(${name} PRIVATE
        KB_SOURCE_DIR="${CMAKE_SOURCE_DIR}" KB_BIN_DIR="${KB_BIN_DIR}")
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
    kb_warnings(${name})
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# kb_add_fuzz_harness(name SOURCE harness.cpp LIBS lib... CORPUS dir...): the
# libFuzzer binary <name>_fuzz in fuzz builds (KESTRABIN_FUZZ), and always, with
# the tests, <name>_replay run over the corpus folders as <name>_corpus_replay.
function(kb_add_fuzz_harness name)
    cmake_parse_arguments(F "" "SOURCE" "LIBS;CORPUS" ${ARGN})
    if(KESTRABIN_FUZZ)
        add_executable(${name}_fuzz ${F_SOURCE})
        target_link_libraries(${name}_fuzz PRIVATE ${F_LIBS})
        target_link_options(${name}_fuzz PRIVATE -fsanitize=fuzzer)
        set_target_properties(${name}_fuzz PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
    endif()
    if(KESTRABIN_TESTS)
        add_executable(${name}_replay ${F_SOURCE} ${CMAKE_SOURCE_DIR}/fuzz/replay_main.cpp)
        target_link_libraries(${name}_replay PRIVATE ${F_LIBS})
        set_target_properties(${name}_replay PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
        add_test(NAME ${name}_corpus_replay COMMAND ${name}_replay ${F_CORPUS})
    endif()
endfunction()
