// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "api.h"
#include "command_features.h"
#include "private_folder.h"
#include "worker_slots.h"

#include "quillform/version.h"

#include <CLI/CLI.hpp>
#include <httplib.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <pthread.h>
#include <regex>
#include <thread>

namespace {
struct WebOptions {
    std::string listen = "127.0.0.1:8080";
    std::string maxUpload = "50M";
    int workers = static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
    int queue = 32;
    double timeout = 30;
    int64_t memoryLimit = 2048; // MiB per worker
    std::string command;
};

// "50M", "1G", "1000000": bytes, with binary K/M/G suffixes.
bool ParseBytes(const std::string& text, int64_t& bytes) {
    std::smatch parts;
    if (!std::regex_match(text, parts, std::regex("([0-9]{1,12})([KMG]?)")))
        return false;
    const int shift = parts[2] == "K" ? 10 : parts[2] == "M" ? 20 : parts[2] == "G" ? 30 : 0;
    bytes = std::stoll(parts[1].str()) << shift;
    return bytes > 0;
}

// "HOST:PORT", "[::1]:PORT".
bool ParseListen(const std::string& text, std::string& host, int& port) {
    std::smatch parts;
    if (!std::regex_match(text, parts,
                          std::regex(R"((\[([0-9a-fA-F:.]+)\]|([^:\[\]]+)):([0-9]{1,5}))")))
        return false;
    host = parts[2].matched ? parts[2].str() : parts[3].str();
    port = std::stoi(parts[4].str());
    return port <= 65535;
}

int ParseOptions(int argc, char** argv, WebOptions& options) {
    CLI::App app{"Serves the preflight page: drop a DXF drawing, see its parts, measures and "
                 "findings, download cut-ready files. Every read runs the quillform command "
                 "in a worker process of its own.",
                 "quillform-web"};
    app.set_version_flag("--version", std::string("quillform-web ") + QUILLFORM_VERSION);
    app.add_option("--listen", options.listen,
                   "Address and port to serve on (HOST:PORT; port 0: any)")
        ->capture_default_str();
    app.add_option("--max-upload", options.maxUpload,
                   "Largest drawing taken, in bytes (suffix K, M or G: binary multiples)")
        ->capture_default_str();
    app.add_option("--workers", options.workers, "Reads that run at once")
        ->capture_default_str()
        ->check(CLI::Range(1, 256));
    app.add_option("--queue", options.queue,
                   "Requests that may wait for a worker; more are answered 503")
        ->capture_default_str()
        ->check(CLI::Range(0, 4096));
    app.add_option("--timeout", options.timeout, "Seconds a read may take before it is stopped")
        ->capture_default_str()
        ->check(CLI::Range(0.01, 86400.0));
    app.add_option("--memory-limit", options.memoryLimit,
                   "Address space of each worker in MiB (0: no limit)")
        ->capture_default_str()
        ->check(CLI::Range(int64_t{0}, int64_t{1} << 30));
    app.add_option("--command", options.command,
                   "The quillform program the workers run (default: the one beside this one)");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return app.exit(error);
    }
    return -1;
}

int Fatal(const std::string& message) {
    std::fprintf(stderr, "quillform-web: %s\n", message.c_str());
    return 1;
}

int Serve(const WebOptions& options, ServerSettings& settings) {
    std::string host;
    int port = 0;
    if (!ParseListen(options.listen, host, port))
        return Fatal("--listen: expected HOST:PORT, not '" + options.listen + "'");
    WorkerSlots slots(options.workers, options.queue);
    httplib::Server server;
    // Threads for the running reads, the waiting ones and a few page loads.
    const size_t threads = static_cast<size_t>(options.workers + options.queue + 4);
    server.new_task_queue = [threads] { return new httplib::ThreadPool(threads); };
    server.set_payload_max_length(static_cast<size_t>(settings.maxUpload));
    AddRoutes(server, settings, slots);
    const int bound = port == 0                         ? server.bind_to_any_port(host)
                      : server.bind_to_port(host, port) ? port
                                                        : -1;
    if (bound < 0)
        return Fatal("cannot listen on " + options.listen);
    std::printf("quillform-web: serving http://%s:%d/ with %s\n",
                host.find(':') == std::string::npos ? host.c_str() : ("[" + host + "]").c_str(),
                bound, settings.command.version.c_str());
    std::fflush(stdout);
    // A signal stops the server; the request folders go with their requests.
    std::thread stopper([&server] {
        sigset_t stop;
        sigemptyset(&stop);
        for (int s : {SIGINT, SIGTERM, SIGHUP})
            sigaddset(&stop, s);
        int received = 0;
        sigwait(&stop, &received);
        server.stop();
    });
    stopper.detach();
    server.listen_after_bind();
    return 0;
}
} // namespace

int main(int argc, char** argv) {
    std::signal(SIGPIPE, SIG_IGN);
    // Only the stopper thread takes these (every thread made after this inherits the mask).
    sigset_t stop;
    sigemptyset(&stop);
    for (int s : {SIGINT, SIGTERM, SIGHUP})
        sigaddset(&stop, s);
    pthread_sigmask(SIG_BLOCK, &stop, nullptr);

    WebOptions options;
    const int parsed = ParseOptions(argc, argv, options);
    if (parsed >= 0)
        return parsed;
    ServerSettings settings;
    if (!ParseBytes(options.maxUpload, settings.maxUpload))
        return Fatal("--max-upload: expected a number of bytes, not '" + options.maxUpload + "'");
    std::string error;
    const std::string command = options.command.empty() ? DefaultCommandPath() : options.command;
    if (!std::filesystem::path(command).is_absolute())
        return Fatal("--command: give an absolute path, not '" + command + "'");
    if (!ProbeCommand(command, settings.command, error))
        return Fatal(error);
    settings.limits.seconds = options.timeout;
    if (options.memoryLimit > 0 && AddressLimitUsable())
        settings.limits.addressSpace = options.memoryLimit << 20;
    else if (options.memoryLimit > 0)
        std::fprintf(stderr, "quillform-web: built with AddressSanitizer: the workers' memory "
                             "limit is not applied\n");
    PrivateFolder folder(std::filesystem::temp_directory_path());
    if (!folder.Ok())
        return Fatal(folder.Error());
    settings.folder = folder.Path();
    return Serve(options, settings);
}
