// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A zip archive built in memory: deflated entries (zlib) with UTF-8 names,
// no zip64, so at most 65 535 entries and 4 GiB.
class ZipArchive {
public:
    // False (and nothing added) when the archive would outgrow the format.
    bool Add(const std::string& name, const std::string& content);
    // The whole archive: the entries, their directory and its end record.
    std::string Finish() const;

private:
    struct Entry {
        std::string name;
        uint32_t crc = 0;
        uint32_t size = 0;
        uint32_t packedSize = 0;
        uint32_t offset = 0;
    };
    std::vector<Entry> entries_;
    std::string data_;
};
