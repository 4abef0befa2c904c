// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "collect/dxf_input_filter.h"

namespace quillform::detail {

namespace {
// Lines are handed over in batches of about this many bytes.
constexpr size_t kBatch = 32 * 1024;
} // namespace

TDxfInputFilter::TDxfInputFilter(std::FILE* file) : source_(file) {
    // a batch, and the line that passes it with its line end
    out_.reserve(kBatch + TDxfLineSource::kLongestLine + 1);
}

TInputFindings TDxfInputFilter::Findings() const {
    TInputFindings findings;
    findings.encoding = source_.TextEncoding();
    findings.sawSection = guard_.SawSection();
    findings.sawEof = guard_.SawEof();
    findings.loweredCounts = guard_.LoweredCounts();
    findings.raisedCounts = guard_.RaisedCounts();
    findings.badNumbers = guard_.BadNumbers();
    findings.firstBadNumberLine = guard_.FirstBadNumberLine();
    findings.cutLines = source_.CutLines();
    return findings;
}

// An exception must not pass through the stream: std::istream would only set
// badbit, and dxflib would read on forever waiting for the end of the file.
// The filter ends its text there instead and keeps the exception for the caller.
TDxfInputFilter::int_type TDxfInputFilter::underflow() {
    if (failure_)
        return traits_type::eof();
    try {
        return Refill();
    } catch (...) {
        failure_ = std::current_exception();
        return traits_type::eof();
    }
}

void TDxfInputFilter::RethrowFailure() const {
    if (failure_)
        std::rethrow_exception(failure_);
}

TDxfInputFilter::int_type TDxfInputFilter::Refill() {
    started_ = true;
    out_.clear();
    std::string_view line;
    bool more = true;
    while (out_.size() < kBatch && (more = source_.NextView(&line)))
        guard_.Line(line, out_);
    if (!more)
        guard_.Finish(out_);
    if (out_.empty())
        return traits_type::eof();
    setg(out_.data(), out_.data(), out_.data() + out_.size());
    return traits_type::to_int_type(out_.front());
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
