// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "picture_output.h"

#include "output_file.h"
#include "picture_module.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <string>
#include <vector>

namespace {
// The folder of the running command.
std::string CommandFolder() {
    std::vector<char> path(PATH_MAX + 1);
    const ssize_t length = readlink("/proc/self/exe", path.data(), PATH_MAX);
    if (length <= 0)
        return std::string();
    const std::string exe(path.data(), static_cast<size_t>(length));
    const size_t slash = exe.rfind('/');
    return slash == std::string::npos ? std::string() : exe.substr(0, slash);
}

// The module beside the command (a build tree), else where it is installed
// relative to the command; loaded once, never unloaded (Qt does not expect
// to be).
TDrawPicture LoadPictureWriter(std::string* error) {
    static TDrawPicture entry = nullptr;
    static std::string failure;
    if (entry || !failure.empty()) {
        *error = failure;
        return entry;
    }
    const std::string folder = CommandFolder();
    const std::string candidates[] = {
        folder + "/" + kPictureModuleName,
        std::filesystem::path(folder + "/" QUILLFORM_PICTURES_FROM_BINDIR "/" + kPictureModuleName)
            .lexically_normal()
            .string(),
    };
    std::string reasons;
    for (const std::string& candidate : candidates) {
        if (access(candidate.c_str(), F_OK) != 0)
            continue;
        void* module = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!module) {
            reasons = dlerror();
            break;
        }
        entry = reinterpret_cast<TDrawPicture>(dlsym(module, kDrawPictureSymbol));
        if (entry)
            return entry;
        reasons = candidate + " has no picture writer in it";
        break;
    }
    if (reasons.empty())
        reasons = std::string(kPictureModuleName) + " is not installed beside the command (" +
                  candidates[1] + ")";
    failure = "cannot draw pictures: " + reasons;
    *error = failure;
    return nullptr;
}
} // namespace

PictureResult WritePicture(const quillform::Drawing& drawing, const Options& options,
                           std::string* error) {
    const TDrawPicture draw = LoadPictureWriter(error);
    if (!draw)
        return PictureResult::Failed;
    TPictureRequest request;
    request.svg = options.format == OutputFormat::Svg;
    request.width = options.pictureWidth;
    request.height = options.pictureHeight;
    request.showIndex = options.showIndex;
    request.title = drawing.file;
    std::string bytes;
    switch (draw(drawing, request, &bytes, error)) {
    case kPictureDrawn:
        break;
    case kPictureImpossible:
        return PictureResult::Impossible;
    default:
        *error = "cannot draw the picture for '" + options.output + "' (too large to create)";
        return PictureResult::Failed;
    }
    TOutputFile file(options.output);
    if (file.Open()) {
        file.Write(bytes);
        if (file.Commit())
            return PictureResult::Written;
    }
    *error = file.Error();
    return PictureResult::Failed;
}
