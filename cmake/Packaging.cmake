# The Debian packages, made by CPack's DEB generator (bash scripts/package.sh): hygrovane from the
# Runtime component and hygrovane-dev from the Development component when an install rule names
# it (cmake/InstallComponents.cmake). Included last, once every install rule is known.

# Named explicitly, so that the desktop package keeps its name and settings while it is the only
# one; other components are not packaged.
set(CPACK_COMPONENTS_ALL ${HYGROVANE_RUNTIME_COMPONENT})
get_cmake_property(hygrovane_components COMPONENTS)
if(HYGROVANE_DEVELOPMENT_COMPONENT IN_LIST hygrovane_components)
    list(APPEND CPACK_COMPONENTS_ALL ${HYGROVANE_DEVELOPMENT_COMPONENT})
    # Every Debian package carries its own copyright file and changelog.
    install(FILES ${PROJECT_BINARY_DIR}/packaging/copyright ${PROJECT_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/hygrovane-dev
        COMPONENT ${HYGROVANE_DEVELOPMENT_COMPONENT})
endif()
if(HYGROVANE_PYTHON_COMPONENT IN_LIST hygrovane_components)
    list(APPEND CPACK_COMPONENTS_ALL ${HYGROVANE_PYTHON_COMPONENT})
    install(FILES ${PROJECT_BINARY_DIR}/packaging/copyright ${PROJECT_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/python3-hygrovane
        COMPONENT ${HYGROVANE_PYTHON_COMPONENT})
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME hygrovane)
set(CPACK_PACKAGE_VENDOR "${HYGROVANE_MAKER_NAME}")
set(CPACK_PACKAGE_CONTACT "${HYGROVANE_MAKER_NAME} <${HYGROVANE_MAKER_EMAIL}>")
# Each package has a summary of its own, the first line of its description below.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_HYGROVANE_STRIP ${CMAKE_STRIP})
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/PackageStrip.cmake)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${HYGROVANE_MAKER_URL}/")
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME hygrovane)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION science)
# The windows' Times New Roman is met by Liberation Serif; F1 and the web-page button use the
# desktop's opener.
set(CPACK_DEBIAN_RUNTIME_PACKAGE_RECOMMENDS "fonts-liberation, xdg-utils")
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION "psychrometric calculator for moist air
Hygrovane calculates the psychrometric properties of moist air for engineers
who design heating, ventilating and air-conditioning systems. From the
dry-bulb temperature, the barometric pressure or the altitude, and one of
eight humidity parameters it derives the other seven with their physically
possible ranges, and the gas constant, molecular weight, density, specific
volume, specific enthalpy and composition of the mixture.

It works in Metric, British or mixed units, by the IAPWS or the Hyland-Wexler
saturation formulation, keeps its inputs in case files that open with a
double click, and writes plain-text reports. The user's guide is included.
The hygrovane-climate command sums up a weather file: its hours in comfort
and passive-strategy zones and its design conditions.")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME hygrovane-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION "moist-air library of Hygrovane - development files
The core of the Hygrovane psychrometric calculator as a C++ library without
Qt: from typed conditions of moist air it solves the whole state (humidity
parameters, density, enthalpy and more) by the IAPWS or the Hyland-Wexler
saturation formulation.

This package holds the headers, the static library and the CMake package for
find_package(Hygrovane).")

# The extension is built for one Python version: the package asks for it, as dh_python3 would.
set(CPACK_DEBIAN_PYTHON_PACKAGE_NAME python3-hygrovane)
set(CPACK_DEBIAN_PYTHON_PACKAGE_SECTION python)
set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS "python3 (>= ${Python3_VERSION_MAJOR}.${Python3_VERSION_MINOR}~), \
python3 (<< ${Python3_VERSION_MAJOR}.${HYGROVANE_PYTHON_NEXT_MINOR}), python3-numpy")
set(CPACK_DEBIAN_PYTHON_PACKAGE_CONTROL_EXTRA
    ${PROJECT_SOURCE_DIR}/packaging/debian/python3-hygrovane/postinst
    ${PROJECT_SOURCE_DIR}/packaging/debian/python3-hygrovane/prerm)
set(CPACK_DEBIAN_PYTHON_DESCRIPTION "moist-air library of Hygrovane - Python 3 module
The core of the Hygrovane psychrometric calculator as the Python module
hygrovane: the whole state of moist air (humidity parameters, dew point,
wet bulb, density, enthalpy and more) by the IAPWS or the Hyland-Wexler
saturation formulation, and air-conditioning processes with their loads.

Every function takes numpy arrays and broadcasts them, splits the work over
the processor's cores, and gives the same bits as the C++ library; results
convert to pandas and work with xarray and Dask.")

include(CPack)
