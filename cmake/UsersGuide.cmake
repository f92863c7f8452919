# The user's guide, rendered from Markdown into a PDF beside the program, where the Help menu's
# command looks for it first.
set(HYGROVANE_GUIDE_PDF ${CMAKE_BINARY_DIR}/src/app/${HYGROVANE_GUIDE_NAME})
add_executable(hygrovane_render_guide ${PROJECT_SOURCE_DIR}/tools/render_guide.cpp)
target_link_libraries(hygrovane_render_guide PRIVATE Qt6::Gui)
add_custom_command(
    OUTPUT ${HYGROVANE_GUIDE_PDF}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/src/app
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
            $<TARGET_FILE:hygrovane_render_guide> ${PROJECT_SOURCE_DIR}/docs/users-guide.md
            ${HYGROVANE_GUIDE_PDF}
    DEPENDS hygrovane_render_guide ${PROJECT_SOURCE_DIR}/docs/users-guide.md
            ${PROJECT_SOURCE_DIR}/docs/ahu-example.png
            ${PROJECT_SOURCE_DIR}/docs/processes-window.png
            ${PROJECT_SOURCE_DIR}/docs/batch-convert.png
    COMMENT "Rendering the user's guide"
    VERBATIM)
add_custom_target(hygrovane_users_guide ALL DEPENDS ${HYGROVANE_GUIDE_PDF})
