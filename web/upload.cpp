// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "upload.h"

#include <cstdio>
#include <memory>

namespace {
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

class Sink {
public:
    Sink(const std::filesystem::path& file, int64_t maxBytes)
        : file_(std::fopen(file.c_str(), "wbx")), maxBytes_(maxBytes) {}
    bool Open() const { return file_ != nullptr; }
    bool Write(const char* data, size_t size) {
        upload.bytes += static_cast<int64_t>(size);
        if (upload.bytes > maxBytes_) {
            // Read on and drop the rest, so that the client, still sending,
            // hears the answer; a body past twice the limit is cut off.
            tooLarge = true;
            return upload.bytes / 2 <= maxBytes_;
        }
        return std::fwrite(data, 1, size, file_.get()) == size;
    }
    bool Close() { return std::fclose(file_.release()) == 0; }

    Upload upload;
    bool tooLarge = false;

private:
    std::unique_ptr<std::FILE, FileCloser> file_;
    int64_t maxBytes_;
};

// The multipart field that holds the drawing: "file", else the first one
// with a file name; the others are read and dropped.
bool ReceiveMultipart(const httplib::ContentReader& reader, Sink& sink) {
    bool inFile = false, found = false;
    return reader(
               [&](const httplib::MultipartFormData& field) {
                   inFile = !found && (field.name == "file" || !field.filename.empty());
                   if (inFile) {
                       found = true;
                       sink.upload.fileName = field.filename;
                   }
                   return true;
               },
               [&](const char* data, size_t size) { return !inFile || sink.Write(data, size); }) &&
           found;
}
} // namespace

Upload ReceiveUpload(const httplib::Request& request, const httplib::ContentReader& reader,
                     const std::filesystem::path& file, int64_t maxBytes) {
    Sink sink(file, maxBytes);
    if (!sink.Open())
        return sink.upload;
    bool received = false;
    if (request.is_multipart_form_data())
        received = ReceiveMultipart(reader, sink);
    else
        received = reader([&](const char* data, size_t size) { return sink.Write(data, size); });
    const bool closed = sink.Close();
    Upload upload = sink.upload;
    if (sink.tooLarge)
        upload.result = Upload::Result::TooLarge;
    else if (!received && request.is_multipart_form_data())
        upload.result = Upload::Result::Missing;
    else
        upload.result = received && closed ? Upload::Result::Ok : Upload::Result::Broken;
    return upload;
}
