// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <dl_writer_ascii.h>

#include <string>

namespace quillform::detail {

// dxflib's ASCII writer, made to write into a string: DL_Dxf's write
// functions take a DL_WriterA, and every group they write reaches one of the
// virtual functions below, so the file stream of the base is never opened.
// Reals are written in the shortest form that reads back to the same double
// (the base class prints them fixed with 16 decimals into a 256-byte buffer
// that large values overflow, and flushes the file after each one).
class DxfTextWriter : public DL_WriterA {
public:
    explicit DxfTextWriter(std::string& text);

    void dxfReal(int gc, double value) const override;
    void dxfInt(int gc, int value) const override;
    void dxfHex(int gc, int value) const override;
    void dxfString(int gc, const char* value) const override;
    void dxfString(int gc, const std::string& value) const override;

private:
    void GroupCode(int gc) const;

    std::string& text_;
};

// A real in the fewest digits that read back to the same double, with a
// decimal point or an exponent ("10.0", "0.1", "1e+300"): as DXF wants
// reals, and a JSON number too.
std::string ShortestReal(double value);
void AppendShortestReal(std::string& text, double value);

} // namespace quillform::detail
