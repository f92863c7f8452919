#!/usr/bin/env bash
# Builds the Debian packages (scripts/package.sh) and checks them: lintian finds no error and no
# warning; the desktop entry and the AppStream metainfo are valid; the package holds the program,
# the guide, the icons, the desktop entry, the MIME type, the metainfo and the manual pages; the
# MIME type tells a case from a report. Run as root, it also installs the packages with apt, asks
# the installed program for its version and the desktop for a saved case's type and opener, and
# removes the packages again. hygrovane-dev and python3-hygrovane are checked whenever they were
# built; installed, Debian's python3 imports hygrovane and computes a state with it.
#   bash scripts/check-package.sh
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh lintian desktop-file-utils appstream dpkg-dev file shared-mime-info \
    xdg-utils libfile-mimeinfo-perl libglib2.0-bin man-db
bash scripts/package.sh

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-package/CMakeCache.txt)
deb="build-package/hygrovane_${version}_amd64.deb"
dev="build-package/hygrovane-dev_${version}_amd64.deb"
[ -f "$deb" ] || { echo "check-package: $deb was not built" >&2; exit 1; }
debs=("$deb")
py="build-package/python3-hygrovane_${version}_amd64.deb"
[ -f "$dev" ] && debs+=("$dev")
[ -f "$py" ] && debs+=("$py")
id=$(basename build-package/packaging/*.desktop .desktop)
work=build-package/check
rm -rf "$work"
mkdir -p "$work"

passed=0
failed=0
check() { # description command...
    local what=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "check-package: FAILED: $what" >&2
    fi
}
holds() { grep -qE "$2" "$1"; } # list-file pattern
contents() { # deb list-file
    dpkg-deb -c "$1" | awk '{print $6}' | sed 's|^\./|/|' | grep -v '/$' | tee "$2"
}

echo "== lintian ${debs[*]}"
# Informational tags are shown too, so that every one left is seen in the log.
check "lintian without errors and warnings" \
    lintian --fail-on error,warning --info --pedantic "${debs[@]}"

echo "== contents of $deb"
contents "$deb" "$work/files"
expected=(/usr/bin/hygrovane
          /usr/bin/hygrovane-batch
          /usr/bin/hygrovane-climate
          /usr/share/doc/hygrovane/Hygrovane1_1UsersGuide.pdf
          /usr/share/doc/hygrovane/copyright
          /usr/share/doc/hygrovane/changelog.gz
          "/usr/share/applications/$id.desktop"
          "/usr/share/metainfo/$id.metainfo.xml"
          /usr/share/mime/packages/hygrovane.xml
          /usr/share/icons/hicolor/scalable/apps/hygrovane.svg)
for size in 16 32 48 64 128 256; do
    expected+=("/usr/share/icons/hicolor/${size}x${size}/apps/hygrovane.png")
done
for page in packaging/man/*.[1-9]; do
    expected+=("/usr/share/man/man${page##*.}/$(basename "$page").gz")
done
for file in "${expected[@]}"; do
    check "$deb holds $file" grep -qxF "$file" "$work/files"
done

dpkg-deb -x "$deb" "$work/root"
echo "== desktop-file-validate, appstreamcli validate"
check "desktop entry valid" desktop-file-validate "$work/root/usr/share/applications/$id.desktop"
check "metainfo valid" appstreamcli validate --no-net "$work/root/usr/share/metainfo/$id.metainfo.xml"
check "metainfo launches the desktop entry" appstreamcli validate-tree --no-net "$work/root"

if [ -f "$dev" ]; then
    echo "== contents of $dev"
    contents "$dev" "$work/dev-files"
    for pattern in '^/usr/include/hygrovane/.+\.h$' '^/usr/lib/.+/cmake/Hygrovane/.*[Cc]onfig\.cmake$' \
                   '^/usr/share/doc/hygrovane-dev/copyright$' '^/usr/share/doc/hygrovane-dev/changelog\.gz$'; do
        check "$dev holds $pattern" holds "$work/dev-files" "$pattern"
    done
fi

if [ -f "$py" ]; then
    echo "== contents of $py"
    contents "$py" "$work/py-files"
    for pattern in '^/usr/lib/python3/dist-packages/hygrovane/__init__\.py$' \
                   '^/usr/lib/python3/dist-packages/hygrovane/_types\.py$' \
                   '^/usr/lib/python3/dist-packages/hygrovane/_core\.pyi$' \
                   '^/usr/lib/python3/dist-packages/hygrovane/py\.typed$' \
                   '^/usr/lib/python3/dist-packages/hygrovane/_core\.cpython-[0-9]+-.+\.so$' \
                   '^/usr/share/doc/python3-hygrovane/copyright$'; do
        check "$py holds $pattern" holds "$work/py-files" "$pattern"
    done
    depends=$(dpkg-deb -f "$py" Depends)
    echo "python3-hygrovane depends on: $depends"
    for dependency in python3 python3-numpy libc6 libstdc++6; do
        check "python3-hygrovane depends on $dependency" \
            grep -qxF "$dependency" <(tr ',' '\n' <<<"$depends" | awk '{print $1}')
    done
fi

# A case as File, Save writes it at start-up, and a report without its .txt: both start with the
# program's title, only the case is a case.
case_file="$work/office case"
printf '%s\r\n' "Hygrovane 1.1" IAPWS Metric C kPa C C "(kg moisture)/(kg dry air)" \
    "(kg moisture)/m^3" m kPa kJ/kg-K kg/kmol kg/m^3 "m^3/kg (dry air)" "kJ/kg (dry air)" \
    25 1 101.325 1 50 >"$case_file"
report_file="$work/office report"
cp tests/casefile/data/report_startup.txt "$report_file"
# True when every one of xdg-mime and gio that is present gives the file the type.
has_type() { # file type
    local types=() type
    if command -v xdg-mime >/dev/null; then
        types+=("$(XDG_CURRENT_DESKTOP= xdg-mime query filetype "$1" 2>/dev/null)")
    fi
    if command -v gio >/dev/null; then
        types+=("$(gio info -a standard::content-type "$1" 2>/dev/null |
                   sed -n 's/^ *standard::content-type: //p')")
    fi
    echo "$1: ${types[*]:-neither xdg-mime nor gio present} (xdg-mime, gio)"
    for type in "${types[@]}"; do
        [ "$type" = "$2" ] || return 1
    done
}

echo "== MIME type, in a database of the package's own"
mkdir -p "$work/data/mime/packages" "$work/home"
cp /usr/share/mime/packages/freedesktop.org.xml "$work/root/usr/share/mime/packages/hygrovane.xml" \
    "$work/data/mime/packages/"
check "update-mime-database takes the MIME type" \
    update-mime-database "$work/data/mime" 2>"$work/update-mime-database.log"
export XDG_DATA_DIRS="$work/data" XDG_DATA_HOME="$work/home"
check "a saved case is a case" has_type "$case_file" application/x-hygrovane-case
check "a report is plain text" has_type "$report_file" text/plain
unset XDG_DATA_DIRS XDG_DATA_HOME

if [ "$(id -u)" -eq 0 ]; then
    echo "== apt-get install ${debs[*]/#/./}"
    export DEBIAN_FRONTEND=noninteractive
    installed() {
        { dpkg-query -W -f='${Package} ${db:Status-Status}\n' hygrovane hygrovane-dev \
              python3-hygrovane 2>/dev/null ||
              true; } | awk -v status="$1" '$2 == status {print $1}'
    }
    remove() {
        local packages
        packages=$(installed installed)
        [ -z "$packages" ] || apt-get remove -y -qq $packages >/dev/null
        # A package that keeps configuration files after the removal is purged of them too.
        packages=$(installed config-files)
        [ -z "$packages" ] || apt-get purge -y -qq $packages >/dev/null
    }
    remove # an earlier run's package would hide a failed install
    trap remove EXIT
    apt-get install -y -qq "${debs[@]/#/./}" >/dev/null
    check "the program is /usr/bin/hygrovane" [ "$(command -v hygrovane)" = /usr/bin/hygrovane ]
    answer=$(env -u DISPLAY -u WAYLAND_DISPLAY hygrovane --version || true)
    echo "hygrovane --version: $answer"
    check "hygrovane --version answers without a display" [ "$answer" = "hygrovane $version" ]
    check "man hygrovane finds the page" [ "$(man -w hygrovane)" = /usr/share/man/man1/hygrovane.1.gz ]
    check "the converter is /usr/bin/hygrovane-batch" \
        [ "$(command -v hygrovane-batch)" = /usr/bin/hygrovane-batch ]
    answer=$(hygrovane-batch --version || true)
    check "hygrovane-batch --version answers" [ "$answer" = "hygrovane-batch (Hygrovane) $version" ]
    check "the climate summary is /usr/bin/hygrovane-climate" \
        [ "$(command -v hygrovane-climate)" = /usr/bin/hygrovane-climate ]
    answer=$(hygrovane-climate --version || true)
    check "hygrovane-climate --version answers" \
        [ "$answer" = "hygrovane-climate (Hygrovane) $version" ]
    check "man hygrovane-climate finds the page" \
        [ "$(man -w hygrovane-climate)" = /usr/share/man/man1/hygrovane-climate.1.gz ]
    # dpkg's triggers have run update-mime-database and update-desktop-database.
    check "an installed system knows a saved case" has_type "$case_file" application/x-hygrovane-case
    check "an installed system keeps a report plain text" has_type "$report_file" text/plain
    if command -v xdg-mime >/dev/null; then
        opener=$(XDG_CURRENT_DESKTOP= xdg-mime query default application/x-hygrovane-case)
        echo "a double-clicked case opens with $opener"
        check "a case opens with $id.desktop" [ "$opener" = "$id.desktop" ]
    fi
    if [ -f "$dev" ]; then
        mkdir -p "$work/consumer"
        printf '%s\n' "cmake_minimum_required(VERSION 3.25)" "project(consumer CXX)" \
            "find_package(Hygrovane REQUIRED)" >"$work/consumer/CMakeLists.txt"
        check "find_package(Hygrovane) with hygrovane-dev installed" \
            cmake -S "$work/consumer" -B "$work/consumer/build" -Wno-dev >/dev/null
    fi
    if [ -f "$py" ]; then
        # Debian's interpreter, away from the source tree and any PYTHONPATH.
        answer=$(cd / && env -u PYTHONPATH /usr/bin/python3 -c 'import hygrovane
s = hygrovane.solve(303.15, 0.40, "relative_humidity", pressure=95000.0)
print(hygrovane.__file__, round(float(s.dew_point), 6))' || true)
        echo "python3 -c 'import hygrovane; ...': $answer"
        check "Debian's python3 imports the installed module and computes a state" \
            [ "$answer" = "/usr/lib/python3/dist-packages/hygrovane/__init__.py 288.085525" ]
    fi
    echo "== apt-get remove ${debs[*]}"
    trap - EXIT
    remove
    check "no package left installed" [ -z "$(installed installed)$(installed config-files)" ]
    check "the program went with it" [ ! -e /usr/bin/hygrovane ]
    check "the Python module went with it" [ ! -e /usr/lib/python3/dist-packages/hygrovane ]
else
    echo "Not root: the packages were not installed."
fi

echo "package: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
