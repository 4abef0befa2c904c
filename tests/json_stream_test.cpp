// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// The command's JSON writer: a value written piece by piece has the bytes of
// nlohmann's dump of the whole, however it is cut into pieces and however
// deep it stands.
#include "json_stream.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

using json = nlohmann::ordered_json;

namespace {
std::string Dump(const json& value, int indent) {
    return value.dump(indent, ' ', false, json::error_handler_t::replace);
}

// Writes value, opening and closing its containers on the stream down to
// levels deep and handing what lies deeper to Value whole.
void Write(JsonStream& out, const json& value, int levels) {
    if (levels == 0 || !value.is_structured()) {
        out.Value(value);
        return;
    }
    if (value.is_object()) {
        out.BeginObject();
        for (const auto& [key, member] : value.items()) {
            out.Key(key);
            Write(out, member, levels - 1);
        }
    } else {
        out.BeginArray();
        for (const json& item : value)
            Write(out, item, levels - 1);
    }
    out.End();
}

// What the stream writes for value inside `depth` arrays that are written
// around it by hand, as the array of several documents is.
std::string Streamed(const json& value, int indent, int levels, int depth, bool* nonFinite) {
    std::string text;
    for (int d = 0; d < depth; ++d)
        text += indent < 0 ? "[" : "[\n" + std::string((d + 1) * indent, ' ');
    JsonStream out([&](const std::string& bytes) { text += bytes; }, indent, depth);
    Write(out, value, levels);
    out.Flush();
    *nonFinite = out.WroteNonFinite();
    for (int d = depth; d > 0; --d)
        text += indent < 0 ? "]" : "\n" + std::string((d - 1) * indent, ' ') + "]";
    return text;
}

struct Case {
    const char* name;
    json value;
    bool nonFinite;
};

std::vector<Case> Cases() {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    return {
        {"number", 1.5, false},
        {"string with breaks and quotes", "a\nb\t\"c\"\\", false},
        {"empty object", json::object(), false},
        {"empty array", json::array(), false},
        {"object of empties", {{"a", json::object()}, {"b", json::array()}, {"c", nullptr}}, false},
        {"nested",
         {{"layers",
           {{{"name", "0"},
             {"shapes", {{{"x", 0.1}, {"y", -2}}, {{"x", 1e300}, {"arc", {{"r", 3u}}}}}}},
            {{"name", "É\xff"}, {"shapes", json::array()}}}},
          {"totals", {{"parts", 2}}}},
         false},
        {"array of arrays", {{1, 2}, json::array(), {{3}}, {json::object()}}, false},
        {"NaN deep inside", {{"a", {1.0, {{"b", nan}}}}}, true},
        {"infinity at the top", -inf, true},
        {"keys that need escaping", {{"line\nbreak", 1}, {"quote\"", {true, false}}}, false},
    };
}

TEST(JsonStream, PiecesHaveTheBytesOfTheWholeDump) {
    for (const Case& c : Cases())
        for (int indent : {-1, 0, 2, 4})
            for (int depth : {0, 1, 2}) {
                json expected = c.value;
                for (int d = 0; d < depth; ++d)
                    expected = json::array({expected});
                for (int levels = 0; levels <= 4; ++levels) {
                    bool nonFinite = false;
                    EXPECT_EQ(Streamed(c.value, indent, levels, depth, &nonFinite),
                              Dump(expected, indent))
                        << c.name << ", indent " << indent << ", depth " << depth << ", " << levels
                        << " levels streamed";
                    EXPECT_EQ(nonFinite, c.nonFinite) << c.name;
                }
            }
}

// A large document reaches its writer in pieces as it is made, not at the end.
TEST(JsonStream, LargeValueGoesOutInPieces) {
    json shapes = json::array();
    for (int i = 0; i < 20000; ++i)
        shapes.push_back({{"x", i * 0.5}, {"holes", json::array()}});
    std::string text;
    int writes = 0;
    size_t longest = 0;
    JsonStream out(
        [&](const std::string& bytes) {
            text += bytes;
            ++writes;
            longest = std::max(longest, bytes.size());
        },
        2);
    out.BeginObject();
    out.Key("shapes");
    out.BeginArray();
    for (const json& shape : shapes)
        out.Value(shape);
    const int writtenBeforeEnd = writes;
    out.End();
    out.End();
    out.Flush();
    EXPECT_EQ(text, Dump(json{{"shapes", shapes}}, 2));
    EXPECT_GT(writtenBeforeEnd, 10);
    EXPECT_LT(longest, text.size() / 10);
}
} // namespace
