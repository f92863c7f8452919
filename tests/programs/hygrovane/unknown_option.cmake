# Runs the program with an unknown option on the offscreen platform: status 1 (every program's
# status for a wrong command line) and one line on stderr (after whatever Qt itself says there).
execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${PROGRAM} --bogus case
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 30)
if(NOT status EQUAL 1 OR NOT err MATCHES "(^|\n)hygrovane: unknown option --bogus [^\n]*\n$" OR out)
    message(FATAL_ERROR "status ${status}, stdout [${out}], stderr [${err}]")
endif()
