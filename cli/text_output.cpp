// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "text_output.h"

#include "output_file.h"

#include "quillform/names.h"

#include <clocale>
#include <cstring>
#include <langinfo.h>

void WriteLine(std::FILE* stream, const std::wstring& line) {
    const std::string bytes = quillform::ToUtf8(line) + "\n";
    if (stream == stdout)
        WriteStandardOutput(bytes);
    else
        std::fwrite(bytes.data(), 1, bytes.size(), stream);
}

void UseUserLocale() {
    std::setlocale(LC_ALL, "");
    // Numbers are always written with '.', whatever the user's locale says.
    std::setlocale(LC_NUMERIC, "C");
    const char* codeset = nl_langinfo(CODESET);
    if (std::strcmp(codeset, "ANSI_X3.4-1968") == 0)
        std::setlocale(LC_CTYPE, "C.UTF-8");
}
