// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Writes a zip archive of the named files to standard output with the web
// server's zip writer, each entry under its name as given (for the test that
// opens it with Python's zipfile). Usage: zip_tool NAME=FILE...
#include "zip_archive.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

int main(int argc, char** argv) {
    ZipArchive zip;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const size_t equals = arg.find('=');
        std::ifstream in(arg.substr(equals + 1), std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        if (equals == std::string::npos || !in || !zip.Add(arg.substr(0, equals), content.str())) {
            std::fprintf(stderr, "zip_tool: cannot add '%s'\n", argv[i]);
            return 1;
        }
    }
    std::cout << zip.Finish();
    return std::cout.good() ? 0 : 1;
}
