// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "document_status.h"

#include <nlohmann/json.hpp>

namespace {
using Json = nlohmann::json;

// Collects the strings of status.flags; every other value is passed over.
class FlagsFinder : public nlohmann::json_sax<Json> {
public:
    std::vector<std::string> flags;
    bool topIsObject = false;

    bool null() override { return true; }
    bool boolean(bool) override { return true; }
    bool number_integer(number_integer_t) override { return true; }
    bool number_unsigned(number_unsigned_t) override { return true; }
    bool number_float(number_float_t, const string_t&) override { return true; }
    bool binary(binary_t&) override { return true; }
    bool string(string_t& value) override {
        if (InFlags())
            flags.push_back(value);
        return true;
    }
    bool start_object(std::size_t) override {
        topIsObject = topIsObject || path_.empty();
        path_.push_back(key_);
        key_.clear();
        return true;
    }
    bool end_object() override { return Pop(); }
    bool start_array(std::size_t) override {
        path_.push_back(key_);
        key_.clear();
        return true;
    }
    bool end_array() override { return Pop(); }
    bool key(string_t& value) override {
        key_ = value;
        return true;
    }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
        return false;
    }

private:
    // The document, "status", "flags": the array of flags.
    bool InFlags() const {
        return path_.size() == 3 && path_[1] == "status" && path_[2] == "flags";
    }
    bool Pop() {
        path_.pop_back();
        key_.clear();
        return true;
    }
    std::vector<std::string> path_;
    std::string key_;
};
} // namespace

std::optional<std::vector<std::string>> DocumentFlags(const std::string& json) {
    FlagsFinder finder;
    if (!Json::sax_parse(json, &finder) || !finder.topIsObject)
        return std::nullopt;
    return finder.flags;
}

std::string WithFileName(std::string json, const std::string& privateName,
                         const std::string& name) {
    // The command writes "format", "version" and then "file": the first
    // "file" member is the document's own.
    const std::string member = "\"file\": " + Json(privateName).dump();
    const size_t at = json.find(member);
    if (at == std::string::npos)
        return json;
    const std::string named =
        "\"file\": " + Json(name).dump(-1, ' ', false, Json::error_handler_t::replace);
    return json.replace(at, member.size(), named);
}
