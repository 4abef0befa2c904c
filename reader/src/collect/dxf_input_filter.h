// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "collect/dxf_line_source.h"
#include "collect/group_guard.h"

#include <cstdint>
#include <cstdio>
#include <exception>
#include <streambuf>
#include <string>

namespace quillform::detail {

// What the filter noticed about the file it passed on.
struct TInputFindings {
    TDxfLineSource::Encoding encoding = TDxfLineSource::Encoding::Bytes;
    bool sawSection = false;
    bool sawEof = false;
    int64_t loweredCounts = 0;
    int64_t raisedCounts = 0;
    int64_t badNumbers = 0;
    int64_t firstBadNumberLine = 0;
    int64_t cutLines = 0;
};

// The stream dxflib reads a file through: line ends normalised to LF, UTF-16
// converted, over-long lines cut (TDxfLineSource), buffer-sizing counts set
// to the items that follow them and values that are no numbers made 0
// (TGroupGuard). Binary DXF gives no text.
class TDxfInputFilter : public std::streambuf {
public:
    explicit TDxfInputFilter(std::FILE* file);
    TInputFindings Findings() const;
    // Throws what stopped the filter early (memory running out), if anything did.
    void RethrowFailure() const;

protected:
    int_type underflow() override;
    // dxflib rewinds the stream before it reads; only that is supported.
    pos_type seekoff(off_type offset, std::ios_base::seekdir dir,
                     std::ios_base::openmode which) override;
    pos_type seekpos(pos_type position, std::ios_base::openmode which) override;

private:
    int_type Refill();

    TDxfLineSource source_;
    TGroupGuard guard_;
    std::string out_; // the lines handed over last
    bool started_ = false;
    std::exception_ptr failure_;
};

} // namespace quillform::detail
