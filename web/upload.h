// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <httplib.h>

#include <cstdint>
#include <filesystem>
#include <string>

struct Upload {
    enum class Result { Ok, TooLarge, Missing, Broken };
    Result result = Result::Broken;
    int64_t bytes = 0;
    std::string fileName; // of a multipart file field; empty for a plain body
};

// Streams the drawing of a request into `file` (never held whole in memory):
// the request body itself, or the multipart field "file" (or the first
// field that carries a file name). More than maxBytes is TooLarge, whatever
// the request's headers claimed (a chunked or compressed body included).
Upload ReceiveUpload(const httplib::Request& request, const httplib::ContentReader& reader,
                     const std::filesystem::path& file, int64_t maxBytes);
