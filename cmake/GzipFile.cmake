# cmake -DINPUT=<file> -DOUTPUT=<file.gz> -P GzipFile.cmake
# Compresses a document as Debian wants it: gzip -9 without the name and time stamp (-n), so that
# the same input always gives the same bytes.
find_program(GZIP gzip REQUIRED)
execute_process(COMMAND ${GZIP} -n -9 -c ${INPUT} OUTPUT_FILE ${OUTPUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    file(REMOVE ${OUTPUT})
    message(FATAL_ERROR "gzip ${INPUT} failed: ${status}")
endif()
