#!/usr/bin/env bash
# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
# Installs the project as an integrator would and builds a program against it.
#   scripts/check-install.sh               a shared and a static build (CI)
#   scripts/check-install.sh shared        only one of them (shared or static)
# For each kind: a Release build in build-install-KIND configured for /usr,
# `cmake --install` into a temporary prefix, checks of what was installed
# (the header set, each header compiled on its own, the SONAME and the
# exported symbols of the shared library, the man page and the schema), then
# examples/list_parts built once with find_package(quillform) and once with
# pkg-config, both run on examples/plate.dxf and compared with what the
# installed quillform says about it in JSON, the README's example program and
# the Python module from the prefix. As root, the shared build also
# becomes Debian packages that are installed, tried and removed
# (scripts/check-deb.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
kinds=("$@")
[ ${#kinds[@]} -gt 0 ] || kinds=(shared static)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python=/usr/bin/python3
drawing=$root/examples/plate.dxf
cli= # the first installed quillform: what the consumers' output is compared with

fail() {
    echo "check-install: $*" >&2
    exit 1
}

build() { # kind
    # The shared build is the one the packages are made of: optimised, with
    # the window. The static one only needs to be installed and linked: the
    # library alone, unoptimised, unless no command was built before it.
    local options=(-DBUILD_SHARED_LIBS=ON -DCMAKE_BUILD_TYPE=Release -DQUILLFORM_BUILD_CLI=ON
        -DQUILLFORM_BUILD_DEMO=ON)
    if [ "$1" = static ]; then
        local own_cli=ON
        [ -z "$cli" ] || own_cli=OFF
        options=(-DBUILD_SHARED_LIBS=OFF -DCMAKE_BUILD_TYPE=None -DQUILLFORM_BUILD_CLI=$own_cli
            -DQUILLFORM_BUILD_DEMO=OFF)
    fi
    cmake -S . -B "build-install-$1" -DCMAKE_INSTALL_PREFIX=/usr -DQUILLFORM_BUILD_TESTS=OFF \
        -DQUILLFORM_WARNINGS_AS_ERRORS=ON "${options[@]}" >/dev/null
    cmake --build "build-install-$1" -j2
}

check_headers() { # prefix
    local installed expected
    installed=$(cd "$1/include/quillform" && ls)
    expected=$( (cd reader/include/quillform && ls; echo export.h; echo version.h) | sort)
    [ "$installed" = "$expected" ] ||
        fail "installed headers differ from reader/include/quillform: $(diff <(echo "$expected") <(echo "$installed") || true)"
    # Each one alone, with nothing but the installed headers: no internal or dxflib header needed.
    for header in "$1"/include/quillform/*.h; do
        echo "#include <quillform/$(basename "$header")>" |
            c++ -std=c++17 -Wall -Wextra -Werror -fsyntax-only -I"$1/include" -x c++ - ||
            fail "$(basename "$header") does not compile on its own"
    done
}

check_shared_library() { # libdir version
    local soversion soname
    soversion=$(echo "$2" | cut -d. -f1-2)
    soname=$(readelf -d "$1/libquillform.so" | sed -n 's/.*(SONAME).*\[\(.*\)\]/\1/p')
    [ "$soname" = "libquillform.so.$soversion" ] || fail "SONAME is '$soname'"
    [ -f "$1/libquillform.so.$2" ] || fail "no libquillform.so.$2"
    if readelf -d "$1/libquillform.so" | grep -q 'RUNPATH\|RPATH'; then
        fail "the installed library keeps a run path"
    fi
    $python scripts/check_exports.py "$1/libquillform.so" "$prefix/include/quillform"
}

check_consumers() { # kind prefix libdir
    local out=$work/$1 static=
    [ "$1" = static ] && static=--static
    "$cli" --format json "$drawing" | $python scripts/parts_summary.py >"$out/expected"
    grep -q '^shape ' "$out/expected" || fail "no shapes listed for $drawing"

    cmake -S examples/list_parts -B "$out/cmake" -DCMAKE_PREFIX_PATH="$2" >/dev/null
    cmake --build "$out/cmake" >/dev/null
    "$out/cmake/list_parts" "$drawing" >"$out/cmake.txt"
    diff -u "$out/expected" "$out/cmake.txt" || fail "find_package consumer ($1) differs"

    # Only the installed quillform.pc is visible: dxflib's is not needed.
    local flags
    flags=$(PKG_CONFIG_LIBDIR="$3/pkgconfig" pkg-config --cflags --libs $static quillform)
    # shellcheck disable=SC2086 # the flags are words
    c++ -std=c++17 -Wall -Wextra -Werror examples/list_parts/list_parts.cpp $flags \
        -o "$out/pkg-config-list-parts"
    LD_LIBRARY_PATH="$3" "$out/pkg-config-list-parts" "$drawing" >"$out/pkg-config.txt"
    diff -u "$out/expected" "$out/pkg-config.txt" || fail "pkg-config consumer ($1) differs"

    # The README's example program.
    sed -n '/check-install.sh compiles and runs this program/,/^```$/p' README.md |
        sed '1,2d;$d' >"$out/parts.cpp"
    # shellcheck disable=SC2086
    c++ -std=c++17 -Wall -Wextra -Werror "$out/parts.cpp" $flags -o "$out/parts"
    LD_LIBRARY_PATH="$3" "$out/parts" "$drawing" >"$out/parts.txt"
    [ "$(grep -c '^CUT: ' "$out/parts.txt")" = 3 ] || fail "the README's program: $(cat "$out/parts.txt")"
}

check_programs() { # prefix version
    local version
    version=$("$1/bin/quillform" --version)
    case "$version" in
    "quillform $2 (reader "*")") ;;
    *) fail "quillform --version says '$version'" ;;
    esac
    if readelf -d "$1/bin/quillform" | grep -q 'RUNPATH\|RPATH'; then
        fail "the installed quillform keeps a run path"
    fi
    # The picture module is found from the command's place in the prefix.
    for format in png svg; do
        "$1/bin/quillform" -q --format $format -o "$work/drawing.$format" "$drawing" ||
            fail "the installed quillform draws no $format"
    done
    if readelf -d "$(find "$1" -name quillform-pictures.so)" | grep -q 'RUNPATH\|RPATH'; then
        fail "the installed picture module keeps a run path"
    fi
    if [ -x "$1/bin/quillform-web" ]; then
        [ "$("$1/bin/quillform-web" --version)" = "quillform-web $2" ] || fail "quillform-web --version"
        if readelf -d "$1/bin/quillform-web" | grep -q 'RUNPATH\|RPATH'; then
            fail "the installed quillform-web keeps a run path"
        fi
        [ -s "$1/lib/systemd/system/quillform-web.service" ] || fail "no systemd unit"
        $python scripts/try_web_server.py "$1/bin/quillform-web" "$drawing" ||
            fail "the installed quillform-web does not read $drawing"
    fi
    if command -v help2man >/dev/null; then
        [ -s "$1/share/man/man1/quillform.1" ] || fail "no man page"
    fi
    $python -c 'import json, sys; json.load(open(sys.argv[1]))' \
        "$1/share/quillform/quillform-shapes.schema.json" || fail "no JSON schema"
}

check_python() { # prefix
    local package
    package=$(find "$1" -type d -name quillform -path '*-packages/*' | head -1)
    [ -n "$package" ] || return 0
    # The README's way: PYTHONPATH names the prefix's package folder (the
    # module holds the reader: no library path).
    (cd "$work" && PYTHONPATH=$(dirname "$package") $python -c \
        'import quillform, sys; d = quillform.read(sys.argv[1]); print(sum(len(l.shapes) for l in d.layers))' \
        "$drawing") >"$work/python.txt" || fail "the installed Python module does not read"
    [ "$(cat "$work/python.txt")" = 3 ] || fail "the installed Python module found: $(cat "$work/python.txt")"
}

for kind in "${kinds[@]}"; do
    case "$kind" in shared | static) ;; *) fail "unknown kind '$kind' (shared or static)" ;; esac
    echo "== $kind library"
    build "$kind"
    prefix=$work/$kind/prefix
    mkdir -p "$work/$kind"
    cmake --install "build-install-$kind" --prefix "$prefix" >/dev/null
    libdir=$(dirname "$(find "$prefix" -name quillform.pc)")
    libdir=${libdir%/pkgconfig}
    version=$(sed -n 's/^Version: //p' "$libdir/pkgconfig/quillform.pc")
    check_headers "$prefix"
    if [ "$kind" = shared ]; then
        check_shared_library "$libdir" "$version"
    elif ls "$libdir"/libquillform.so* >/dev/null 2>&1; then
        fail "a static build installed a shared library"
    fi
    if [ -x "$prefix/bin/quillform" ]; then
        check_programs "$prefix" "$version"
        [ -n "$cli" ] || cli=$prefix/bin/quillform
    fi
    check_consumers "$kind" "$prefix" "$libdir"
    check_python "$prefix"
    echo "== $kind library: installed, used through find_package and pkg-config"
    if [ "$kind" = shared ]; then
        if [ "$(id -u)" = 0 ] && command -v dpkg >/dev/null; then
            bash scripts/check-deb.sh "build-install-$kind"
        else
            echo "== not root: the Debian packages are not tried"
        fi
    fi
done
