# The Python module: on by default when Debian's Python, numpy and pybind11 are there. Debian's
# interpreter is the one the package installs for, whatever python3 comes first on the PATH.
if(NOT DEFINED Python3_EXECUTABLE AND EXISTS /usr/bin/python3)
    set(Python3_EXECUTABLE /usr/bin/python3 CACHE FILEPATH "Python for the hygrovane module")
endif()
find_package(Python3 COMPONENTS Interpreter Development.Module NumPy QUIET)
if(Python3_FOUND)
    find_package(pybind11 CONFIG QUIET)
endif()
if(Python3_FOUND AND Python3_NumPy_FOUND AND pybind11_FOUND)
    set(python_found ON)
else()
    set(python_found OFF)
endif()
# AUTO (the default) looks for them again at every configure, so that installing pybind11 after a
# first configure is enough; ON requires them, OFF leaves the module out.
set(HYGROVANE_PYTHON AUTO CACHE STRING
    "Build the Python module hygrovane (needs pybind11 and numpy): AUTO, ON or OFF")
set_property(CACHE HYGROVANE_PYTHON PROPERTY STRINGS AUTO ON OFF)
string(TOUPPER "${HYGROVANE_PYTHON}" python_choice)
if(python_choice STREQUAL "AUTO")
    set(build_python ${python_found})
    if(NOT python_found)
        message(STATUS "Python module: not built (needs Python 3 with numpy, and pybind11); "
                       "it is looked for again at the next configure")
    endif()
elseif(HYGROVANE_PYTHON)
    if(NOT python_found)
        message(FATAL_ERROR "HYGROVANE_PYTHON needs Python 3 with numpy, and pybind11")
    endif()
    set(build_python ON)
else()
    set(build_python OFF)
    if(python_found)
        message(STATUS "Python module: not built (HYGROVANE_PYTHON is ${HYGROVANE_PYTHON}); "
                       "pybind11 and numpy are found: -DHYGROVANE_PYTHON=AUTO builds it")
    endif()
endif()
# What the rest of the build reads: ON or OFF, whatever the cache holds.
set(HYGROVANE_PYTHON ${build_python})
if(Python3_FOUND)
    math(EXPR HYGROVANE_PYTHON_NEXT_MINOR "${Python3_VERSION_MINOR} + 1")
endif()
# Where the package goes in the build tree (PYTHONPATH for the tests) and in Debian's path.
set(HYGROVANE_PYTHON_BUILD_DIR ${CMAKE_BINARY_DIR}/python)
set(HYGROVANE_PYTHON_INSTALL_DIR lib/python3/dist-packages)
