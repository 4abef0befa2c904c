// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "read_settings.h"

#include "quillform/units.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <regex>
#include <sstream>

namespace {
const char* const kNumber = R"(([0-9]+(\.[0-9]*)?|\.[0-9]+)([eE][-+]?[0-9]+)?)";

std::optional<double> Number(const std::string& text) {
    if (!std::regex_match(text, std::regex(kNumber)))
        return std::nullopt;
    const double value = std::strtod(text.c_str(), nullptr);
    return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

std::string Length(const std::string& text, std::optional<std::string>& into) {
    std::smatch parts;
    if (!std::regex_match(text, parts, std::regex(std::string("(") + kNumber + ")(mm|in)?")) ||
        !Number(parts[1].str()) || *Number(parts[1].str()) <= 0)
        return "expected a number > 0, optionally followed by mm or in, not '" + text + "'";
    into = text;
    return "";
}

std::string Sheet(const std::string& text, std::optional<std::string>& into) {
    const std::string number = std::string("(") + kNumber + ")";
    std::smatch parts;
    if (!std::regex_match(text, parts, std::regex(number + "x" + number + "(mm|in)?")) ||
        *Number(parts[1].str()) <= 0 || *Number(parts[5].str()) <= 0)
        return "expected WxH with numbers > 0, optionally followed by mm or in, not '" + text + "'";
    into = text;
    return "";
}

std::string Setting(double quillform::Settings::*member, const std::string& text,
                    ReadSettings& into) {
    const std::optional<double> value = Number(text);
    quillform::Settings trial = into.settings;
    if (value)
        trial.*member = *value;
    const std::string problem = quillform::SettingsProblem(trial);
    if (!value || !problem.empty())
        return "expected a finite number >= 0, not '" + text + "'";
    into.settings = trial;
    return "";
}

// The shortest text that reads back as the same double.
std::string Shortest(double value) {
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

using Parser = std::function<std::string(const std::string&, ReadSettings&)>;

const std::map<std::string, Parser>& Parsers() {
    static const std::map<std::string, Parser> parsers{
        {"distance", [](const std::string& t,
                        ReadSettings& s) { return Setting(&quillform::Settings::distance, t, s); }},
        {"curveTolerance",
         [](const std::string& t, ReadSettings& s) {
             return Setting(&quillform::Settings::curveTolerance, t, s);
         }},
        {"mode",
         [](const std::string& t, ReadSettings& s) {
             if (t != "literal" && t != "accurate")
                 return "expected literal or accurate, not '" + t + "'";
             s.literal = t == "literal";
             return std::string();
         }},
        {"units",
         [](const std::string& t, ReadSettings& s) {
             if (!t.empty() && !quillform::UnitNamed(t))
                 return "expected mm, cm, m, in or ft, not '" + t + "'";
             s.outputUnits = t;
             return std::string();
         }},
        {"thickness", [](const std::string& t, ReadSettings& s) { return Length(t, s.thickness); }},
        {"minHole", [](const std::string& t, ReadSettings& s) { return Length(t, s.minHole); }},
        {"minWeb", [](const std::string& t, ReadSettings& s) { return Length(t, s.minWeb); }},
        {"kerf", [](const std::string& t, ReadSettings& s) { return Length(t, s.kerf); }},
        {"sheet", [](const std::string& t, ReadSettings& s) { return Sheet(t, s.sheet); }},
        {"name",
         [](const std::string& t, ReadSettings& s) {
             if (t.empty() || t.size() > 255)
                 return std::string("expected a file name of 1 to 255 bytes");
             s.name = t;
             return std::string();
         }},
    };
    return parsers;
}
} // namespace

std::string ParseReadSettings(const QueryParameters& parameters,
                              const std::vector<std::string>& extra, ReadSettings& settings) {
    for (const auto& [name, value] : parameters) {
        if (parameters.count(name) > 1)
            return name + ": given more than once";
        const auto parser = Parsers().find(name);
        if (parser == Parsers().end()) {
            if (std::find(extra.begin(), extra.end(), name) != extra.end())
                continue;
            return name + ": not a setting of a read";
        }
        // An empty value leaves a setting as it is (a form's empty field).
        if (value.empty() && name != "name")
            continue;
        const std::string problem = parser->second(value, settings);
        if (!problem.empty())
            return name + ": " + problem;
    }
    return "";
}

std::vector<std::string> SettingArguments(const ReadSettings& settings,
                                          const CommandFeatures& features) {
    std::vector<std::string> args;
    const quillform::Settings& s = settings.settings;
    args.push_back("--distance=" + Shortest(s.distance));
    if (!settings.literal && features.accurate)
        args.push_back("--accurate");
    if (settings.literal && features.literal)
        args.push_back("--literal");
    if (!settings.literal && s.curveTolerance > 0)
        args.push_back("--curve-tolerance=" + Shortest(s.curveTolerance));
    if (!settings.outputUnits.empty())
        args.push_back("--output-units=" + settings.outputUnits);
    if (!features.check)
        return args;
    args.push_back("--check");
    const std::pair<const char*, const std::optional<std::string>*> limits[] = {
        {"--thickness=", &settings.thickness},
        {"--min-hole=", &settings.minHole},
        {"--min-web=", &settings.minWeb},
        {"--kerf=", &settings.kerf},
        {"--sheet=", &settings.sheet}};
    for (const auto& [option, value] : limits)
        if (*value)
            args.push_back(option + **value);
    return args;
}

std::string SafeStem(const std::string& name) {
    std::string base = name.substr(
        name.find_last_of("/\\") == std::string::npos ? 0 : name.find_last_of("/\\") + 1);
    const size_t dot = base.rfind('.');
    if (dot != std::string::npos && dot > 0)
        base.erase(dot);
    std::string safe;
    for (const char c : base)
        if (std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == '.')
            safe += c;
    while (!safe.empty() && safe.front() == '.')
        safe.erase(0, 1);
    safe = safe.substr(0, 80);
    return safe.empty() ? "drawing" : safe;
}
