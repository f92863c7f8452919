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
