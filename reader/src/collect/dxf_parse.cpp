// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "collect/dxf_parse.h"

#include "collect/collector.h"
#include "collect/dxf_input_filter.h"
#include "collect/parse_memory_reserve.h"
#include "quillform/names.h"
#include "quillform/status.h"

#include <dl_dxf.h>

#include <clocale>
#include <cstdio>
#include <istream>
#include <memory>
#include <mutex>
#include <sys/stat.h>

namespace quillform::detail {

namespace {
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// A directory opens without complaint and then reads nothing; that is a
// file that cannot be read, not an empty drawing.
FilePtr OpenInput(const std::string& path) {
    FilePtr file(std::fopen(path.c_str(), "rb"));
    struct stat info {};
    if (!file || fstat(fileno(file.get()), &info) != 0 || S_ISDIR(info.st_mode))
        return nullptr;
    return file;
}

int32_t Judge(const TInputFindings& findings, quillform::Diagnostics* report) {
    if (report) {
        if (findings.encoding == TDxfLineSource::Encoding::Utf16LE ||
            findings.encoding == TDxfLineSource::Encoding::Utf16BE)
            report->Warn("utf16");
        if (findings.loweredCounts > 0)
            report->Warn("countLowered", std::string(), findings.loweredCounts);
        if (findings.raisedCounts > 0)
            report->Warn("countMismatch", std::string(), findings.raisedCounts);
        if (findings.badNumbers > 0) {
            report->Warn("badNumber", std::string(), findings.badNumbers);
            report->warnings.back().detail = std::to_string(findings.firstBadNumberLine);
        }
        if (findings.cutLines > 0)
            report->Warn("longLine", std::string(), findings.cutLines);
    }
    if (findings.encoding == TDxfLineSource::Encoding::Binary) {
        if (report)
            report->Warn("binaryDxf");
        return stNotDrawing;
    }
    if (!findings.sawSection)
        return stNotDrawing;
    return findings.sawEof ? 0 : stTruncated;
}
} // namespace

int32_t ParseDxf(const std::string& path, Test_CreationClass& collector,
                 quillform::Diagnostics* report) {
    const FilePtr file = OpenInput(path);
    if (!file)
        return stReadError;
    TDxfInputFilter filter(file.get());
    std::istream stream(&filter);
    // dxflib sets the global locale to "C" while it reads and then back to the
    // C++ global locale, which also resets the C library's locale; keep the
    // host's setting. The locale belongs to the whole process, so parses on
    // other threads wait: otherwise one would put back another's "C", and
    // setlocale itself may not run on two threads at once. Linking and
    // classification, the bulk of a large read, run in parallel all the same.
    // (Recursive: an event handler on this thread may start a read of its own.)
    static std::recursive_mutex processLocale;
    const std::lock_guard<std::recursive_mutex> parsing(processLocale);
    const std::string hostLocale = std::setlocale(LC_ALL, nullptr);
    struct LocaleRestore {
        const std::string& locale;
        ~LocaleRestore() { std::setlocale(LC_ALL, locale.c_str()); }
    } restore{hostLocale};
    const TParseMemoryReserve reserve;
    DL_Dxf parser;
    collector.ReadBy(&parser);
    parser.in(stream, &collector);
    collector.ReadBy(nullptr);
    filter.RethrowFailure();
    reserve.ThrowIfRanOut();
    return Judge(filter.Findings(), report);
}

bool ParseDxfFile(const wchar_t* fileName, Test_CreationClass& collector) {
    return ParseDxfPath(quillform::NarrowPath(fileName), collector);
}

bool ParseDxfPath(const std::string& path, Test_CreationClass& collector) {
    return (ParseDxf(path, collector) & stReadError) == 0;
}

} // namespace quillform::detail
