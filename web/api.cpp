// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "api.h"

#include "page_assets.h"
#include "private_folder.h"
#include "read_run.h"
#include "read_settings.h"
#include "upload.h"

#include <nlohmann/json.hpp>

namespace {
const char* const kJson = "application/json";

void Fail(httplib::Response& response, const Failure& failure) {
    nlohmann::ordered_json body{{"error", failure.message}, {"code", failure.code}};
    if (!failure.flags.empty())
        body["status"] = failure.flags;
    response.status = failure.status;
    response.set_content(body.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace),
                         kJson);
}

void Serve(httplib::Server& server, const char* path, const char* content, const char* type) {
    server.Get(path, [content, type](const httplib::Request&, httplib::Response& response) {
        response.set_content(content, type);
    });
}

nlohmann::ordered_json Health(const ServerSettings& settings, WorkerSlots& slots) {
    const CommandFeatures& command = settings.command;
    nlohmann::ordered_json formats = nlohmann::ordered_json::array();
    for (const char* format : {"json", "csv", "dxf", "cut-svg", "geojson", "zip"})
        if (ExportAvailable(command, format))
            formats.push_back(format);
    nlohmann::ordered_json limit = nullptr;
    if (settings.limits.addressSpace > 0)
        limit = settings.limits.addressSpace;
    return {{"status", "ok"},
            {"command", command.version},
            {"workers", slots.Workers()},
            {"busy", slots.Busy()},
            {"waiting", slots.Waiting()},
            {"queue", slots.Queue()},
            {"maxUpload", settings.maxUpload},
            {"timeout", settings.limits.seconds},
            {"memoryLimit", limit},
            {"check", command.check},
            {"modes", command.literal || command.accurate},
            {"exports", formats}};
}

// Receives the drawing and the settings of a read or an export; false (and
// the error answered) when either is unusable.
bool Accept(const httplib::Request& request, httplib::Response& response,
            const httplib::ContentReader& reader, const ServerSettings& settings,
            const PrivateFolder& folder, ReadSettings& read) {
    if (!folder.Ok()) {
        Fail(response, Failure{500, "noTemporaryFolder", folder.Error()});
        return false;
    }
    const Upload upload =
        ReceiveUpload(request, reader, folder.Path() / kDrawingFile, settings.maxUpload);
    if (upload.result == Upload::Result::TooLarge || response.status == 413) {
        Fail(response, Failure{413, "tooLarge",
                               "the drawing is larger than this server takes (" +
                                   std::to_string(settings.maxUpload) + " bytes)"});
        return false;
    }
    if (upload.result != Upload::Result::Ok) {
        Fail(response, Failure{400, "noDrawing",
                               upload.result == Upload::Result::Missing
                                   ? "the form holds no file field"
                                   : "the request's body could not be read"});
        return false;
    }
    if (!upload.fileName.empty())
        read.name = upload.fileName;
    const std::string problem = ParseReadSettings(request.params, {"format"}, read);
    if (!problem.empty()) {
        Fail(response, Failure{400, "badSetting", problem});
        return false;
    }
    return true;
}

void Answer(httplib::Response& response, RunResult result, const std::string& download) {
    if (result.failure) {
        Fail(response, *result.failure);
        return;
    }
    response.status = 200;
    if (result.fileName.empty())
        result.fileName = download;
    response.body = std::move(result.content);
    response.set_header("Content-Type", result.contentType);
    if (!result.fileName.empty())
        response.set_header("Content-Disposition",
                            "attachment; filename=\"" + result.fileName + "\"");
}

void ReadOrExport(const httplib::Request& request, httplib::Response& response,
                  const httplib::ContentReader& reader, const ServerSettings& settings,
                  WorkerSlots& slots, const std::string& format, bool exporting) {
    PrivateFolder folder(settings.folder);
    ReadSettings read;
    if (!Accept(request, response, reader, settings, folder, read))
        return;
    if (!ExportAvailable(settings.command, format)) {
        const bool known = KnownExport(format);
        Fail(response,
             Failure{known ? 501 : 400, known ? "formatUnavailable" : "badFormat",
                     KnownExport(format)
                         ? "this server's quillform cannot write " + format
                         : "format: expected json, csv, dxf, cut-svg, geojson or zip, not '" +
                               format + "'"});
        return;
    }
    WorkerSlots::Turn turn(slots);
    if (!turn.Granted()) {
        Fail(response,
             Failure{503, "busy", "every worker is busy and the queue is full; try again"});
        return;
    }
    // An export is a download even when it is the JSON document.
    const std::string download = exporting ? SafeStem(read.name) + ".json" : "";
    Answer(response, RunRead(settings.command, settings.limits, folder.Path(), read, format),
           download);
}

void HandleErrors(httplib::Server& server) {
    // Answers httplib gives itself (404, 413, 400) get a JSON body too.
    server.set_error_handler([](const httplib::Request&, httplib::Response& response) {
        if (!response.body.empty())
            return;
        const int status = response.status;
        Fail(response, Failure{status,
                               status == 404   ? "notFound"
                               : status == 413 ? "tooLarge"
                                               : "http",
                               status == 404 ? "no such page"
                                             : "the request was refused (HTTP " +
                                                   std::to_string(status) + ")"});
    });
    server.set_exception_handler(
        [](const httplib::Request&, httplib::Response& response, std::exception_ptr) {
            Fail(response, Failure{500, "internal", "the server failed on this request"});
        });
}
} // namespace

void AddRoutes(httplib::Server& server, const ServerSettings& settings, WorkerSlots& slots) {
    server.set_default_headers(
        {{"Content-Security-Policy",
          "default-src 'none'; script-src 'self'; style-src 'self'; img-src 'self' data: blob:; "
          "connect-src 'self'; base-uri 'none'; form-action 'none'; frame-ancestors 'none'"},
         {"X-Content-Type-Options", "nosniff"},
         {"Referrer-Policy", "no-referrer"},
         {"Cache-Control", "no-store"}});
    HandleErrors(server);
    Serve(server, "/", kPageHtml, "text/html; charset=utf-8");
    Serve(server, "/app.js", kPageScript, "text/javascript; charset=utf-8");
    Serve(server, "/style.css", kPageStyle, "text/css; charset=utf-8");
    server.Get("/api/health", [&settings, &slots](const httplib::Request&, httplib::Response& r) {
        r.set_content(Health(settings, slots).dump(), kJson);
    });
    server.Post("/api/read",
                [&settings, &slots](const httplib::Request& request, httplib::Response& response,
                                    const httplib::ContentReader& reader) {
                    ReadOrExport(request, response, reader, settings, slots, "json", false);
                });
    server.Post("/api/export",
                [&settings, &slots](const httplib::Request& request, httplib::Response& response,
                                    const httplib::ContentReader& reader) {
                    ReadOrExport(request, response, reader, settings, slots,
                                 request.get_param_value("format"), true);
                });
}
