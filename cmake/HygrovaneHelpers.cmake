# hygrovane_library(NAME folder DEPS ...): a static library of every .cpp in the folder.
function(hygrovane_library name)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    if(NOT sources)
        # A folder not written yet still configures.
        set(sources ${CMAKE_CURRENT_BINARY_DIR}/${name}_empty.cpp)
        file(WRITE ${sources} "")
    endif()
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/include)
    target_link_libraries(${name} PUBLIC hygrovane_config ${ARG_DEPS})
endfunction()

# hygrovane_tests(DEPS ...): one test program per *_test.cpp in the folder, so a failing or
# half-written file only affects its own program.
function(hygrovane_tests)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
    file(GLOB helpers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_support.cpp)
    foreach(test ${tests})
        get_filename_component(stem ${test} NAME_WE)
        add_executable(${stem} ${test} ${helpers})
        target_include_directories(${stem} PRIVATE ${PROJECT_SOURCE_DIR}/tests ${CMAKE_CURRENT_SOURCE_DIR})
        target_link_libraries(${stem} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
        target_compile_definitions(${stem} PRIVATE HYGROVANE_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
        gtest_discover_tests(${stem}
            PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
            DISCOVERY_TIMEOUT 60)
    endforeach()
endfunction()

# hygrovane_shared_data(OUT): the shared test data (full-year weather files) in OUT:
# ../shared/data beside the clone, or beside the folder of worktrees.
function(hygrovane_shared_data out)
    set(shared ${PROJECT_SOURCE_DIR}/../shared/data)
    if(NOT EXISTS ${shared} AND EXISTS ${PROJECT_SOURCE_DIR}/../../shared/data)
        set(shared ${PROJECT_SOURCE_DIR}/../../shared/data)
    endif()
    set(${out} ${shared} PARENT_SCOPE)
endfunction()

# hygrovane_tests_shared_data(PATH [DEFINITIONS...]): every test program of the folder told where
# the shared test data is (HYGROVANE_SHARED_DATA), with any further definitions.
function(hygrovane_tests_shared_data path)
    file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
    foreach(test ${tests})
        get_filename_component(stem ${test} NAME_WE)
        target_compile_definitions(${stem} PRIVATE HYGROVANE_SHARED_DATA="${path}" ${ARGN})
    endforeach()
endfunction()
