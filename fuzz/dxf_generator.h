// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// A small DXF generator driven by fuzz input: nested blocks placed by
// inserts and arrays, polylines and splines whose count groups claim more or
// fewer items than follow, floods of entities, splines with many control
// points. Every byte chooses something, so that the fuzzer steers the shape
// of the drawing rather than its syntax.
#include <cstddef>
#include <cstdint>
#include <string>

namespace quillform::fuzz {

// The fuzz input read front to back; zeros once it runs out.
class TByteReader {
public:
    TByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    // Little-endian, `bytes` of them (at most 8).
    uint64_t Number(int bytes);
    // One of `count` choices.
    size_t Pick(size_t count) { return Byte() % count; }
    bool Empty() const { return at_ >= size_; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

// A whole drawing (sections, EOF) of at most about `maxBytes` bytes.
std::string GenerateDrawing(TByteReader& input, size_t maxBytes);

} // namespace quillform::fuzz
