// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace quillform::detail {

// Cuts a DXF file into lines the way the parser must see them: every line
// end (LF, CR LF, LF CR or a lone CR) ends exactly one line, UTF-16 text arrives as
// UTF-8, and a line longer than the parser reads in one piece is cut, so that
// one line of the file is always one line for the parser and the pairs of
// group code and value never lose step.
class TDxfLineSource {
public:
    // dxflib reads a line from a stream into a buffer of 1024 bytes: 1023
    // bytes and the line end pass in one piece, a longer line stalls it.
    static constexpr size_t kLongestLine = 1023;

    enum class Encoding { Bytes, Utf16LE, Utf16BE, Binary };

    // Reads from file (not owned) from its current position.
    explicit TDxfLineSource(std::FILE* file);

    // The next line without its line end; false when the file is exhausted.
    bool Next(std::string& line);
    // The same without a copy: the view points into the source's own text
    // and stays valid until the next call.
    bool NextView(std::string_view* line) {
        // Most lines lie whole in the text read so far and are short: they
        // are handed out where they lie.
        if (pairedEnd_ != 0 && pos_ < text_.size()) {
            pos_ += text_[pos_] == pairedEnd_ ? 1 : 0;
            pairedEnd_ = 0;
        }
        if (pairedEnd_ == 0 && pos_ < text_.size()) {
            const char* start = text_.data() + pos_;
            const char* stop = text_.data() + text_.size();
            const char* end = start;
            while (end != stop && !IsLineEnd(*end))
                ++end;
            if (end != stop && static_cast<size_t>(end - start) <= kLongestLine) {
                *line = std::string_view(start, static_cast<size_t>(end - start));
                pairedEnd_ = OtherLineEnd(*end);
                pos_ = static_cast<size_t>(end - text_.data()) + 1;
                return true;
            }
        }
        return NextPieced(line);
    }

    Encoding TextEncoding() const { return encoding_; }
    int64_t CutLines() const { return cutLines_; }

private:
    bool Fill();
    void DetectEncoding(std::string& raw);
    void Decode(const std::string& raw);
    static bool IsLineEnd(char c) {
        return static_cast<unsigned char>(c) <= '\r' && (c == '\n' || c == '\r');
    }
    // CR LF and LF CR are one line end each: the second half of the pair.
    static char OtherLineEnd(char end) { return end == '\r' ? '\n' : '\r'; }
    // Any other line: one after a CR, one that runs past the text read so
    // far, or one that is cut; gathered in line_.
    bool NextPieced(std::string_view* line);

    std::FILE* file_;
    bool started_ = false;
    bool exhausted_ = false;
    Encoding encoding_ = Encoding::Bytes;
    std::string raw_;  // the last chunk as read
    std::string text_; // decoded text not yet handed out starts at pos_
    size_t pos_ = 0;
    char pairedEnd_ = 0;  // the other half of the last line's end: right after it, it belongs to it
    std::string oddByte_; // UTF-16: a code unit split between two reads
    char32_t highSurrogate_ = 0;
    int64_t cutLines_ = 0;
    std::string line_;
};

} // namespace quillform::detail
