// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "collect/dxf_input_filter.h"

#include <cstring>

namespace quillform::detail {

namespace {
// Lines are handed over in batches of about this many bytes.
constexpr size_t kBatch = 32 * 1024;
} // namespace

TDxfInputFilter::TDxfInputFilter(std::FILE* file, int64_t fileSize)
    : source_(file, fileSize),
      // a batch, and the line that passes it with its line end
      out_(new char[kBatch + TDxfLineSource::kLongestLine + 1]) {}

TInputFindings TDxfInputFilter::Findings() const {
    TInputFindings findings;
    findings.encoding = source_.TextEncoding();
    findings.sawSection = guard_.SawSection();
    findings.sawEof = guard_.SawEof();
    findings.loweredCounts = guard_.LoweredCounts();
    findings.cutLines = source_.CutLines();
    return findings;
}

TDxfInputFilter::int_type TDxfInputFilter::underflow() {
    started_ = true;
    char* const begin = out_.get();
    char* end = begin;
    std::string_view line;
    while (static_cast<size_t>(end - begin) < kBatch && source_.NextView(&line)) {
        if (const std::string* rewritten = guard_.Take(line, source_.RemainingBound()))
            line = *rewritten; // a count of at most nine digits
        std::memcpy(end, line.data(), line.size());
        end += line.size();
        *end++ = '\n';
    }
    if (end == begin)
        return traits_type::eof();
    setg(begin, begin, end);
    return traits_type::to_int_type(*begin);
}

TDxfInputFilter::pos_type TDxfInputFilter::seekoff(off_type offset, std::ios_base::seekdir dir,
                                                   std::ios_base::openmode which) {
    if (offset == 0 && dir == std::ios_base::beg)
        return seekpos(pos_type(0), which);
    return pos_type(off_type(-1));
}

TDxfInputFilter::pos_type TDxfInputFilter::seekpos(pos_type position, std::ios_base::openmode) {
    if (position == pos_type(0) && !started_)
        return position;
    return pos_type(off_type(-1));
}

} // namespace quillform::detail
