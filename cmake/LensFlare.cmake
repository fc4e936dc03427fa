# Helpers shared by the folders' CMakeLists.

include(GoogleTest)

# lf_test(NAME SOURCES... [LIBS libs...] [RESOURCES rc...] [LABELS labels...])
# One GoogleTest executable; every test case becomes a CTest test, discovered
# when CTest runs (under Wine in the windows build). Names are prefixed with
# the build ("win." or "native.") so that both summaries read alike.
function(lf_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS;RESOURCES;LABELS;PROPERTIES" ${ARGN})
    add_executable(${name} ${T_SOURCES} ${T_RESOURCES})
    target_link_libraries(${name} PRIVATE lf_test_support ${T_LIBS} GTest::gmock GTest::gtest_main)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${LF_TEST_DIR})
    if(WIN32)
        set(prefix "win.")
    else()
        set(prefix "native.")
    endif()
    gtest_discover_tests(${name}
        TEST_PREFIX "${prefix}"
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 60
        PROPERTIES LABELS "${T_LABELS}" ${T_PROPERTIES})
endfunction()
