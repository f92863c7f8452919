#!/usr/bin/env bash
# Builds the Debian packages with CPack in build-package/ (a Release build with Debian's hardening
# flags, without tests or benchmarks): hygrovane_<version>_amd64.deb, the desktop program, and
# hygrovane-dev_<version>_amd64.deb once the core library installs its development files, and
# python3-hygrovane_<version>_amd64.deb, the Python module, when it is built (HYGROVANE_PYTHON).
#   bash scripts/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh dpkg-dev file

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags="$(dpkg-buildflags --get LDFLAGS)"
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DHYGROVANE_BENCH=OFF \
      -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_CXX_FLAGS="$cxxflags" \
      -DCMAKE_EXE_LINKER_FLAGS="$ldflags" -DCMAKE_SHARED_LINKER_FLAGS="$ldflags" \
      -DCMAKE_MODULE_LINKER_FLAGS="$ldflags" >/dev/null
cmake --build build-package -j "$(nproc)"
rm -f build-package/*.deb
(cd build-package && cpack -G DEB >/dev/null)
ls build-package/*.deb
