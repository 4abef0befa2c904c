// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/export.h"

#include <string>

namespace quillform {

// Names in DXF files are 8-bit text in whatever code page the writer used.
// Bytes that do not form a valid sequence in the locale's encoding are
// widened one by one (Latin-1), so nothing is lost or read past the end.

// A name as wide text, in the current C locale.
QUILLFORM_EXPORT std::wstring WidenName(const char* name);

// Wide text to UTF-8, for output that must not depend on the locale.
QUILLFORM_EXPORT std::string ToUtf8(const std::wstring& text);

// A name from a file as UTF-8 whatever the locale: kept as it is when it is
// UTF-8 already (as names are from AutoCAD 2007 on), else converted as the
// events convert it.
QUILLFORM_EXPORT std::string NameToUtf8(const char* name);

// A wide file name to the bytes the file system expects: the locale's
// encoding, or UTF-8 where the locale cannot represent it.
QUILLFORM_EXPORT std::string NarrowPath(const wchar_t* path);

// Wide text in the current locale's multibyte encoding (the "system code
// page" of saved listings); characters it cannot represent become '?'.
QUILLFORM_EXPORT std::string EncodeForLocale(const std::wstring& text);

} // namespace quillform
