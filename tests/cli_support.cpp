// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "cli_support.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Quote(const std::string& arg) {
    std::string quoted = "'";
    for (char c : arg)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string DataPath(const std::string& name) {
    return std::string(QUILLFORM_TEST_DATA) + "/" + name;
}

std::string Data(const std::string& name) {
    return Quote(DataPath(name));
}

void ExpectJsonAsDumped(const std::string& out, int indent, const std::string& what) {
    using json = nlohmann::ordered_json;
    ASSERT_FALSE(out.empty()) << what;
    EXPECT_EQ(out.back(), '\n') << what;
    std::vector<std::string> documents = {out.substr(0, out.size() - 1)};
    if (indent < 0) {
        documents.clear();
        for (size_t at = 0, end; (end = out.find('\n', at)) != std::string::npos; at = end + 1)
            documents.push_back(out.substr(at, end - at));
    }
    for (const std::string& text : documents) {
        std::string again;
        ASSERT_NO_THROW(
            again = json::parse(text).dump(indent, ' ', false, json::error_handler_t::replace))
            << what << ": " << text.substr(0, 200);
        // Where they part, not the whole documents (they may be megabytes).
        const size_t at = static_cast<size_t>(
            std::mismatch(again.begin(), again.end(), text.begin(), text.end()).second -
            text.begin());
        const size_t from = at < 80 ? 0 : at - 80;
        EXPECT_EQ(again.size(), text.size()) << what;
        EXPECT_EQ(again.substr(from, 160), text.substr(from, 160))
            << what << ": the output parts from the dump at byte " << at;
    }
}

namespace {
// The test's folders, removed when the test program ends.
struct Folders {
    std::vector<std::filesystem::path> made;
    ~Folders() {
        std::error_code ignored;
        for (const auto& folder : made)
            std::filesystem::remove_all(folder, ignored);
    }
};
} // namespace

std::string Folder(const std::string& name) {
    static Folders folders;
    const std::filesystem::path folder =
        std::filesystem::path(testing::TempDir()) / ("quillform_" + name);
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    folders.made.push_back(folder);
    return folder.string();
}

std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

namespace {
std::string OutputBase() {
    return testing::TempDir() + "quillform_cli_" + std::to_string(getpid());
}

// What the command printed is kept in memory: its files go.
void RemoveOutputs(const std::string& base) {
    std::error_code ignored;
    std::filesystem::remove(base + ".out", ignored);
    std::filesystem::remove(base + ".err", ignored);
}
} // namespace

namespace {
// input: a shell fragment before the command; after: one after it.
RunResult RunShell(const std::string& input, const std::string& args, const std::string& after,
                   const std::string& stdoutTarget) {
    const std::string base = OutputBase();
    const std::string out = stdoutTarget.empty() ? base + ".out" : stdoutTarget;
    const std::string command = input + " " + Quote(QUILLFORM_CLI) + " " + args + " >" +
                                Quote(out) + " 2>" + Quote(base + ".err") + after;
    RunResult result;
    const int raw = std::system(command.c_str());
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    if (stdoutTarget.empty())
        result.out = Slurp(base + ".out");
    result.err = Slurp(base + ".err");
    RemoveOutputs(base);
    return result;
}
} // namespace

RunResult RunCli(const std::string& args, const std::string& stdoutTarget) {
    return RunShell(std::string(), args, " </dev/null", stdoutTarget);
}

RunResult RunCliWithInput(const std::string& input, const std::string& args) {
    return RunShell(input, args, std::string(), std::string());
}

RunResult RunCliMeasured(const std::string& file) {
    const std::string base = OutputBase();
    RunResult result;
    const pid_t child = fork();
    if (child == 0) {
        const int out = open((base + ".out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = open((base + ".err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out, 1);
        dup2(err, 2);
        execl(QUILLFORM_CLI, QUILLFORM_CLI, "-q", file.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int raw = 0;
    rusage usage{};
    wait4(child, &raw, 0, &usage);
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.peakKilobytes = usage.ru_maxrss;
    result.out = Slurp(base + ".out");
    result.err = Slurp(base + ".err");
    RemoveOutputs(base);
    return result;
}
