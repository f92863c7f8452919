# The parts `cmake --install` and the Debian packages are made of (scripts/package.sh):
#   Runtime      the desktop program and everything it installs: package "hygrovane";
#   Development  the core library's headers, library and CMake package: package "hygrovane-dev",
#                built only when some install rule names this component.
# An install rule without COMPONENT belongs to Runtime; rules for other programs' use must say
# COMPONENT ${HYGROVANE_DEVELOPMENT_COMPONENT}.
set(HYGROVANE_RUNTIME_COMPONENT Runtime)
set(HYGROVANE_DEVELOPMENT_COMPONENT Development)
set(CMAKE_INSTALL_DEFAULT_COMPONENT_NAME ${HYGROVANE_RUNTIME_COMPONENT})
include(GNUInstallDirs)
#   Python       the Python module hygrovane: package "python3-hygrovane".
set(HYGROVANE_PYTHON_COMPONENT Python)
