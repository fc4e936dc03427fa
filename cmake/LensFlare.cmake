# Helpers shared by the folders' CMakeLists.

include(GoogleTest)

# The plug-in's resource script includes one script per subsystem, with their
# id headers and cursor files; CMake does not scan those includes, so every
# target that compiles the script depends on all of them explicitly.
file(GLOB LF_RESOURCE_INPUTS CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/resources/*.rc ${CMAKE_SOURCE_DIR}/resources/*.h
     ${CMAKE_SOURCE_DIR}/resources/*.cur ${CMAKE_SOURCE_DIR}/resources/cursors/*.cur)
function(lf_resource_depends)
    set_source_files_properties(${ARGN} PROPERTIES OBJECT_DEPENDS "${LF_RESOURCE_INPUTS}")
endfunction()

# lf_test(NAME SOURCES... [LIBS libs...] [RESOURCES rc...] [LABELS labels...])
# One GoogleTest executable; every test case becomes a CTest test, discovered
# when CTest runs (under Wine in the windows build). Names are prefixed with
# the build ("win." or "native.") so that both summaries read alike.
function(lf_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS;RESOURCES;LABELS;PROPERTIES" ${ARGN})
    add_executable(${name} ${T_SOURCES} ${T_RESOURCES})
    if(T_RESOURCES)
        lf_resource_depends(${T_RESOURCES})
    endif()
    target_link_libraries(${name} PRIVATE lf_test_support ${T_LIBS} GTest::gmock GTest::gtest_main)
    target_precompile_headers(${name} REUSE_FROM lf_test_pch)
    # In the Windows build a program's test files are compiled as one: most
    # of each file's cost is what they all share (GoogleTest's templates, the
    # precompiled header). The native build keeps them apart, where they
    # build sooner side by side.
    if(WIN32)
        set_target_properties(${name} PROPERTIES UNITY_BUILD ON)
    endif()
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${LF_TEST_DIR})
    if(WIN32)
        set(prefix "win.")
    else()
        set(prefix "native.")
    endif()
    set(properties ${T_PROPERTIES})
    if(T_LABELS)
        list(APPEND properties LABELS "${T_LABELS}")
    endif()
    if(properties)
        set(properties PROPERTIES ${properties})
    endif()
    gtest_discover_tests(${name}
        TEST_PREFIX "${prefix}"
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 60
        ${properties})
endfunction()
