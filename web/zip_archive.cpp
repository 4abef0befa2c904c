// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "zip_archive.h"

#include <limits>
#include <zlib.h>

namespace {
constexpr uint16_t kVersion = 20;      // 2.0: deflate
constexpr uint16_t kUtf8Names = 0x800; // general purpose bit 11
constexpr uint16_t kDeflate = 8;
constexpr uint16_t kTime = 0;            // 00:00:00
constexpr uint16_t kDate = (1 << 5) | 1; // 1980-01-01: no clock in the archive

void Put16(std::string& out, uint32_t value) {
    out += static_cast<char>(value & 0xff);
    out += static_cast<char>((value >> 8) & 0xff);
}
void Put32(std::string& out, uint32_t value) {
    Put16(out, value & 0xffff);
    Put16(out, value >> 16);
}

bool Deflate(const std::string& content, std::string& packed) {
    z_stream stream{};
    if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8,
                     Z_DEFAULT_STRATEGY) != Z_OK)
        return false;
    packed.resize(deflateBound(&stream, content.size()));
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(content.data()));
    stream.avail_in = static_cast<uInt>(content.size());
    stream.next_out = reinterpret_cast<Bytef*>(packed.data());
    stream.avail_out = static_cast<uInt>(packed.size());
    const bool done = deflate(&stream, Z_FINISH) == Z_STREAM_END;
    packed.resize(stream.total_out);
    deflateEnd(&stream);
    return done;
}

// The fields the local header and the directory share.
void PutCommon(std::string& out, uint32_t crc, uint32_t packed, uint32_t size, size_t nameSize) {
    Put16(out, kVersion);
    Put16(out, kUtf8Names);
    Put16(out, kDeflate);
    Put16(out, kTime);
    Put16(out, kDate);
    Put32(out, crc);
    Put32(out, packed);
    Put32(out, size);
    Put16(out, static_cast<uint32_t>(nameSize));
    Put16(out, 0); // extra field
}
} // namespace

bool ZipArchive::Add(const std::string& name, const std::string& content) {
    constexpr uint64_t kMax = std::numeric_limits<uint32_t>::max();
    std::string packed;
    if (entries_.size() >= 0xffff || name.size() > 0xffff || content.size() > kMax ||
        !Deflate(content, packed) || data_.size() + packed.size() + name.size() + 30 > kMax / 2)
        return false;
    Entry entry;
    entry.name = name;
    entry.crc = static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(content.data()),
                                            static_cast<uInt>(content.size())));
    entry.size = static_cast<uint32_t>(content.size());
    entry.packedSize = static_cast<uint32_t>(packed.size());
    entry.offset = static_cast<uint32_t>(data_.size());
    Put32(data_, 0x04034b50);
    PutCommon(data_, entry.crc, entry.packedSize, entry.size, name.size());
    data_ += name;
    data_ += packed;
    entries_.push_back(entry);
    return true;
}

std::string ZipArchive::Finish() const {
    std::string out = data_;
    const size_t directory = out.size();
    for (const Entry& entry : entries_) {
        Put32(out, 0x02014b50);
        Put16(out, kVersion); // made by
        PutCommon(out, entry.crc, entry.packedSize, entry.size, entry.name.size());
        Put16(out, 0); // comment
        Put16(out, 0); // disk
        Put16(out, 0); // internal attributes
        Put32(out, 0); // external attributes
        Put32(out, entry.offset);
        out += entry.name;
    }
    const size_t directorySize = out.size() - directory;
    Put32(out, 0x06054b50);
    Put16(out, 0); // this disk
    Put16(out, 0); // the directory's disk
    Put16(out, static_cast<uint32_t>(entries_.size()));
    Put16(out, static_cast<uint32_t>(entries_.size()));
    Put32(out, static_cast<uint32_t>(directorySize));
    Put32(out, static_cast<uint32_t>(directory));
    Put16(out, 0); // comment
    return out;
}
