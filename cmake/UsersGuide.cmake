# The user's guide, rendered from Markdown into a PDF beside the program, where the Help menu's
# command looks for it first.
set(HYGROVANE_GUIDE_PDF ${CMAKE_BINARY_DIR}/src/programs/hygrovane/${HYGROVANE_GUIDE_NAME})
add_executable(hygrovane_render_guide ${PROJECT_SOURCE_DIR}/tools/render_guide.cpp)
target_link_libraries(hygrovane_render_guide PRIVATE Qt6::Gui)
# Every picture in docs/: the guide shows most of them, and a list by hand fell behind.
file(GLOB guide_pictures CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/*.png)
add_custom_command(
    OUTPUT ${HYGROVANE_GUIDE_PDF}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/src/programs/hygrovane
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
            $<TARGET_FILE:hygrovane_render_guide> ${PROJECT_SOURCE_DIR}/docs/users-guide.md
            ${HYGROVANE_GUIDE_PDF}
    DEPENDS hygrovane_render_guide ${PROJECT_SOURCE_DIR}/docs/users-guide.md ${guide_pictures}
    COMMENT "Rendering the user's guide"
    VERBATIM)
add_custom_target(hygrovane_users_guide ALL DEPENDS ${HYGROVANE_GUIDE_PDF})

# The pictures of the README and the guide, taken from the program's windows by a tool rather
# than by tests, into build/screenshots (compare them with docs/, or copy them over it when a
# window changed). Only in builds with tests, which have Qt Test.
if(BUILD_TESTING)
    add_executable(hygrovane_screenshots ${PROJECT_SOURCE_DIR}/tools/take_screenshots.cpp)
    target_link_libraries(hygrovane_screenshots PRIVATE hygrovane_app Qt6::Test)
    # The climate window's pictures show Chicago's year from the shared test data.
    hygrovane_shared_data(shared)
    # The measured streams' pictures show the logged week of examples/ahu-week.
    target_compile_definitions(hygrovane_screenshots PRIVATE HYGROVANE_SHARED_DATA="${shared}"
                               HYGROVANE_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
    set(screenshots "")
    foreach(picture about-box main-window saturation-window unit-convertor chart chart-marks
                    chart-si chart-ip chart-1500m chart-protractor chart-hx processes-window design-report
                    ahu-example batch-convert climate-chart climate-window climate-envelopes year-window
                    year-units-by-month year-clouds streams-dialog streams-window streams-chart)
        list(APPEND screenshots ${CMAKE_BINARY_DIR}/screenshots/${picture}.png)
    endforeach()
    add_custom_command(
        OUTPUT ${screenshots}
        COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
                $<TARGET_FILE:hygrovane_screenshots> ${CMAKE_BINARY_DIR}/screenshots
        DEPENDS hygrovane_screenshots
        COMMENT "Taking the screenshots of the documentation"
        VERBATIM)
    add_custom_target(hygrovane_docs_screenshots ALL DEPENDS ${screenshots})
endif()
