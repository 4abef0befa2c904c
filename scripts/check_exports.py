#!/usr/bin/env python3
# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
"""Checks that a shared library exports only its public interface: every
dynamic symbol it defines must belong to a class that an installed header
marks QUILLFORM_EXPORT (members, typeinfo, vtable) or be a function that an
installed header declares with QUILLFORM_EXPORT; nothing of dxflib, the
standard library or Boost may be exported.

usage: check_exports.py LIBRARY HEADER_DIR
Prints the symbols that break the rule and exits 1 when there are any."""

import re
import subprocess
import sys
from pathlib import Path

FOREIGN = ("std::", "boost::", "__gnu_cxx::", "DL_", "dxflib")
SPECIAL = ("typeinfo name for ", "typeinfo for ", "vtable for ", "VTT for ")


def exported(library):
    out = subprocess.run(["nm", "-D", "--defined-only", "-C", library],
                         capture_output=True, text=True, check=True).stdout
    for line in out.splitlines():
        parts = line.split(" ", 2)
        if len(parts) == 3:
            yield parts[2]


def qualified_name(symbol):
    """The scope path of a demangled symbol, without parameters and tags."""
    for prefix in SPECIAL:
        if symbol.startswith(prefix):
            symbol = symbol[len(prefix):]
    depth = 0
    for i, c in enumerate(symbol):  # cut at the parameter list
        if c == "<":
            depth += 1
        elif c == ">":
            depth -= 1
        elif c == "(" and depth == 0:
            symbol = symbol[:i]
            break
    return symbol.replace("[abi:cxx11]", "")


def marked_names(headers):
    """Classes marked QUILLFORM_EXPORT and the functions declared with it."""
    classes, functions = set(), set()
    for header in headers.glob("*.h"):
        text = re.sub(r"//[^\n]*|/\*.*?\*/", "", header.read_text(), flags=re.S)
        classes.update(re.findall(r"\b(?:class|struct)\s+QUILLFORM_EXPORT\s+(\w+)", text))
        for declaration in re.findall(r"\bQUILLFORM_EXPORT\b([^;{]*)", text):
            name = re.search(r"(~?\w+)\s*\(", declaration)
            if name:
                functions.add(name.group(1))
    return classes, functions


def main():
    library, headers = sys.argv[1], Path(sys.argv[2])
    classes, functions = marked_names(headers)
    bad = []
    symbols = list(exported(library))
    for symbol in symbols:
        name = qualified_name(symbol)
        parts = name.split("::")
        public = any(p in classes for p in parts[:-1] + [parts[-1].lstrip("~")]) or \
            parts[-1] in functions
        if name.startswith(FOREIGN) or not public:
            bad.append(symbol)
    for symbol in bad:
        print("not part of the public interface:", symbol)
    print(f"{len(symbols)} symbols exported, {len(bad)} outside the public interface")
    return 1 if bad or not symbols else 0


if __name__ == "__main__":
    sys.exit(main())
