// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "command_features.h"

#include "private_folder.h"
#include "worker.h"

#include <filesystem>
#include <regex>
#include <sstream>
#include <unistd.h>

namespace {
bool Run(const std::string& path, const char* option, std::string& out, std::string& error) {
    PrivateFolder folder(std::filesystem::temp_directory_path());
    if (!folder.Ok()) {
        error = folder.Error();
        return false;
    }
    WorkerLimits limits;
    limits.seconds = 20;
    const WorkerOutcome done = RunWorker({path, option}, folder.Path(), limits);
    if (done.end != WorkerOutcome::End::Exited || done.exitStatus != 0) {
        error = "'" + path + " " + option + "' failed" +
                (done.startError.empty() ? "" : ": " + done.startError);
        return false;
    }
    out = done.out;
    return true;
}

// "--format text|json|png|svg": the names between the bars.
std::set<std::string> FormatsIn(const std::string& help) {
    std::set<std::string> formats;
    std::smatch found;
    if (!std::regex_search(help, found, std::regex(R"(--format ([a-z-]+(\|[a-z-]+)*))")))
        return formats;
    std::istringstream names(found[1].str());
    for (std::string name; std::getline(names, name, '|');)
        formats.insert(name);
    return formats;
}

bool Offers(const std::string& help, const std::string& option) {
    return std::regex_search(help, std::regex("(^|[ ,])" + option + "([ =\\n]|$)"));
}
} // namespace

bool ProbeCommand(const std::string& path, CommandFeatures& features, std::string& error) {
    std::string help;
    if (!Run(path, "--version", features.version, error) || !Run(path, "--help", help, error))
        return false;
    while (!features.version.empty() && features.version.back() == '\n')
        features.version.pop_back();
    features.path = path;
    features.formats = FormatsIn(help);
    features.literal = Offers(help, "--literal");
    features.accurate = Offers(help, "--accurate");
    features.check = Offers(help, "--check") && Offers(help, "--thickness");
    features.splitParts = Offers(help, "--split-parts");
    if (!features.formats.count("json")) {
        error = "'" + path + "' writes no JSON: is it quillform?";
        return false;
    }
    return true;
}

std::string DefaultCommandPath() {
    std::error_code failed;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", failed);
    if (failed)
        return "/usr/bin/quillform";
    const std::filesystem::path folder = self.parent_path();
    for (const std::filesystem::path& candidate :
         {folder / "quillform", folder.parent_path() / "cli" / "quillform"})
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate.string();
    return (folder / "quillform").string();
}
