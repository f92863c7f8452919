# Installs the core's development files into a fresh prefix, builds examples/moist_air_state
# against them as another project would, and runs it.
#   cmake -DBUILD=<build tree> -DSOURCE=<source tree> -DWORK=<scratch folder> -P installed_example.cmake
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${WORK}/prefix
                        --component Development
                COMMAND_ERROR_IS_FATAL ANY OUTPUT_QUIET)
execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE}/examples/moist_air_state -B ${WORK}/build
                        -DCMAKE_PREFIX_PATH=${WORK}/prefix -DCMAKE_BUILD_TYPE=Release
                COMMAND_ERROR_IS_FATAL ANY OUTPUT_QUIET)
execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK}/build COMMAND_ERROR_IS_FATAL ANY
                OUTPUT_QUIET)
execute_process(COMMAND ${WORK}/build/moist_air_state COMMAND_ERROR_IS_FATAL ANY
                OUTPUT_VARIABLE output)
message("${output}")
# 30 degC, 40 %, 95 kPa: W = 11.32 g/kg, dew point 14.94 degC.
if(NOT output MATCHES "humidity ratio +11\\.32[0-9] g/kg" OR NOT output MATCHES "dew point +14\\.9[0-9]+ degC")
    message(FATAL_ERROR "the example printed another state")
endif()
