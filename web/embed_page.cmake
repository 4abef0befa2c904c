# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
# cmake -DPAGE=DIR -DOUT=FILE -P embed_page.cmake: the page's three files as
# C++ strings. A raw string's delimiter may not appear in the text.
set(code "// Made from page/ by embed_page.cmake.\n#include \"page_assets.h\"\n")
foreach(pair "kPageHtml;index.html" "kPageScript;app.js" "kPageStyle;style.css")
    list(GET pair 0 name)
    list(GET pair 1 file)
    file(READ "${PAGE}/${file}" text)
    string(FIND "${text}" ")QFPAGE\"" clash)
    if(NOT clash EQUAL -1)
        message(FATAL_ERROR "${file} holds the delimiter )QFPAGE\"")
    endif()
    string(APPEND code "extern const char ${name}[] = R\"QFPAGE(${text})QFPAGE\";\n")
endforeach()
file(WRITE "${OUT}.new" "${code}")
file(COPY_FILE "${OUT}.new" "${OUT}" ONLY_IF_DIFFERENT)
