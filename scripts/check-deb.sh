#!/usr/bin/env bash
# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
# Makes the Debian packages of a shared build configured for /usr (as
# scripts/check-install.sh does), installs them with dpkg, tries what they
# hold and removes them again. Run as root, on a machine where they are not
# installed already.
#   scripts/check-deb.sh BUILD_DIR
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "$1")
drawing=$PWD/examples/plate.dxf
work=$(mktemp -d)
packages=()

fail() {
    echo "check-deb: $*" >&2
    exit 1
}
cleanup() {
    if [ ${#packages[@]} -gt 0 ]; then
        dpkg -r "${packages[@]}" >/dev/null || true
    fi
    rm -rf "$work"
}

rm -rf "$build/packages"
(cd "$build" && cpack -G DEB -B "$build/packages" >/dev/null)
debs=("$build"/packages/*.deb)
[ ${#debs[@]} -eq 6 ] || fail "expected 6 packages, got: ${debs[*]}"
declare -A depends
for deb in "${debs[@]}"; do
    name=$(dpkg-deb -f "$deb" Package)
    depends[$name]=$(dpkg-deb -f "$deb" Depends)
    echo "$(basename "$deb"): Depends: ${depends[$name]}"
    if dpkg-query -W -f='${Status}' "$name" 2>/dev/null | grep -q 'install ok installed'; then
        fail "$name is installed already; not replacing it"
    fi
    packages+=("$name")
done
version=$(dpkg-deb -f "${debs[0]}" Version)
soversion=$(echo "$version" | cut -d. -f1-2)
# dpkg-shlibdeps found the libraries each program needs.
[[ ${depends[quillform]} == *libdxflib3* && ${depends[quillform]} == *libqt6gui6* ]] ||
    fail "quillform's dependencies are incomplete"
[[ ${depends[quillform-demo]} == *libqt6widgets6* ]] ||
    fail "quillform-demo's dependencies are incomplete"
[[ ${depends[quillform-web]} == *libcpp-httplib* &&
    ${depends[quillform-web]} == *"quillform (= $version)"* ]] ||
    fail "quillform-web's dependencies are incomplete"
[[ ${depends[libquillform$soversion]} == *libdxflib3* ]] ||
    fail "the library's dependencies are incomplete"
[[ ${depends[libquillform-dev]} == *"libquillform$soversion (= $version)"* ]] ||
    fail "the development package does not depend on its library"
[[ ${depends[python3-quillform]} == *libdxflib3* &&
    ${depends[python3-quillform]} == *"python3 (>= 3."* ]] ||
    fail "the Python package's dependencies are incomplete"

trap cleanup EXIT
dpkg -i "${debs[@]}" >/dev/null
[ "$(command -v quillform)" = /usr/bin/quillform ] || fail "quillform is not /usr/bin/quillform"
quillform --version
case "$(quillform --version)" in "quillform $version "*) ;; *) fail "wrong version" ;; esac
quillform "$drawing" >"$work/listing.txt" 2>"$work/listing.err"
"$build/cli/quillform" "$drawing" 2>/dev/null | cmp - "$work/listing.txt" ||
    fail "the installed quillform lists $drawing differently"
grep -q '3 shapes discovered in layer CUT' "$work/listing.err" || fail "no shapes on layer CUT"
# Pictures come from the module the package installs in the library folder.
quillform -q --format png -o "$work/drawing.png" "$drawing" || fail "the installed quillform draws no PNG"
"$build/cli/quillform" -q --format png -o "$work/built.png" "$drawing"
cmp -s "$work/drawing.png" "$work/built.png" || fail "the installed quillform draws a different PNG"
[ -s /usr/share/man/man1/quillform.1 ] || fail "no man page in the package"
[ -s /usr/share/quillform/quillform-shapes.schema.json ] || fail "no schema in the package"
# The module from the system's package folder, out of the source tree.
(cd "$work" && /usr/bin/python3 -c "import quillform, sys; print(quillform.read(sys.argv[1]))" \
    "$drawing") >"$work/python.txt" || fail "the installed Python module does not read"
grep -q "Drawing" "$work/python.txt" || fail "the Python module printed: $(cat "$work/python.txt")"
if ldd /usr/bin/quillform-demo | grep -q 'not found'; then
    fail "quillform-demo misses libraries"
fi

# The web server: installed with its unit, which nothing enabled; it serves
# the page and reads through the installed quillform.
unit=$(dpkg -L quillform-web | grep '/systemd/system/quillform-web.service$') ||
    fail "no systemd unit in quillform-web"
grep -q '^ExecStart=/usr/bin/quillform-web ' "$unit" || fail "the unit does not start /usr/bin/quillform-web"
if ls /etc/systemd/system/*.wants/quillform-web.service >/dev/null 2>&1; then
    fail "the package enabled quillform-web"
fi
/usr/bin/python3 scripts/try_web_server.py /usr/bin/quillform-web "$drawing" ||
    fail "the installed quillform-web does not read $drawing"

# The development package alone is enough to build against the library.
cmake -S examples/list_parts -B "$work/consumer" >/dev/null
cmake --build "$work/consumer" >/dev/null
"$work/consumer/list_parts" "$drawing" >"$work/cmake.txt"
# shellcheck disable=SC2046 # the flags are words
c++ -std=c++17 examples/list_parts/list_parts.cpp $(pkg-config --cflags --libs quillform) \
    -o "$work/list_parts"
"$work/list_parts" "$drawing" | cmp - "$work/cmake.txt" || fail "the two consumers differ"
grep -q "^layer 'CUT' shapes 3$" "$work/cmake.txt" || fail "the consumer found no shapes"

dpkg -r "${packages[@]}" >/dev/null
packages=()
[ ! -e /usr/bin/quillform ] || fail "quillform is still there after removal"
echo "== Debian packages built, installed, used and removed: ${debs[*]##*/}"
