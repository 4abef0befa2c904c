// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// What the window says of a read that failed, stopped short or left warnings.
#include "image_view.h"
#include "read_status.h"
#include "window_fixture.h"

#include "quillform/status.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>

#include <gtest/gtest.h>

#include <ostream>

namespace {
int DarkPixels(const QImage& picture) {
    int dark = 0;
    for (int x = 0; x < picture.width(); ++x)
        for (int y = 0; y < picture.height(); ++y)
            dark += qGray(picture.pixel(x, y)) < 128;
    return dark;
}

int PartCount(const quillform::Drawing& drawing) {
    int parts = 0;
    for (const quillform::Layer& layer : drawing.layers)
        parts += static_cast<int>(layer.shapes.size());
    return parts;
}

struct StatusCase {
    const char* name;
    const char* file; // in tests/data
    const char* distance;
    bool accurate;
    const char* statusLine; // exactly; a read's warnings are counted
    const char* problem;    // what the warning box says under "FILE:"; empty: no box
    int parts;
};

// The sentence under "FILE:" starts with `problem`: the rest names figures
// that depend on the machine (the expansion limit follows its memory).
const StatusCase kCases[] = {
    {"missing", "no_such_drawing.dxf", "1", false, "Not read: cannot open the file",
     "cannot open: No such file or directory", 0},
    {"folder", "hostile", "1", false, "Not read: cannot open the file",
     "cannot open: Is a directory", 0},
    {"binary", "binary_dxf.dxf", "1", false, "Not read: binary DXF", "binary DXF is not supported",
     0},
    {"binary_after_bom", "hostile/filter_bom_then_binary.dxf", "1", false, "Not read: binary DXF",
     "binary DXF is not supported", 0},
    {"plain_text", "plain_text.dxf", "1", false, "Not read: not a DXF drawing", "not a DXF drawing",
     0},
    {"empty", "empty.dxf", "1", false, "Not read: not a DXF drawing", "not a DXF drawing", 0},
    {"expansion_limit", "hostile/accurate_nest_2pow60_empty_leaf_hang.dxf", "1", true,
     "Not read: expansion limit reached", "block inserts would produce more than ", 0},
    {"truncated_with_parts", "truncated_after_square.dxf", "0.001", false, "Truncated: 1 part",
     "the file ends before its EOF marker; read as far as it goes", 1},
    {"truncated_mid_entity", "truncated_mid_entity.dxf", "0.001", false, "Truncated: 0 parts",
     "the file ends before its EOF marker", 0},
    {"read_with_warning", "square_with_circle_hole.dxf", "1", false, "Read: 1 part, 1 warning", "",
     1},
    {"read_clean", "square_with_circle_hole.dxf", "0.001", false, "Read: 1 part", "", 1},
    {"read_warnings", "hostile/lwpoly_90_smaller_than_vertices.dxf", "0.001", false,
     "Read: 1 part, 1 warning", "", 1},
};

void PrintTo(const StatusCase& c, std::ostream* out) {
    *out << c.name;
}

class ReadStatus : public WindowFixture, public testing::WithParamInterface<StatusCase> {};

// Each read follows one of a drawing with a part, so that what the window
// shows after it can only be its own.
TEST_P(ReadStatus, StatusBarAndWarningBoxSayHowTheReadEnded) {
    const StatusCase& c = GetParam();
    Load("squares_two_layers.dxf", "0.001");
    ASSERT_GT(PartCount(window.Drawing()), 0);
    ASSERT_TRUE(warnings.isEmpty()) << warnings.join("\n").toStdString();
    window.cbAccurateGeometry->setChecked(c.accurate);
    Load(c.file, c.distance);
    EXPECT_EQ(window.lReadStatus->text(), c.statusLine);
    if (*c.problem) {
        ASSERT_EQ(warnings.size(), 1);
        const QString start = QDir::toNativeSeparators(Data(c.file)) + ":\n" + c.problem;
        EXPECT_TRUE(warnings.first().startsWith(start)) << warnings.first().toStdString();
    } else {
        EXPECT_TRUE(warnings.isEmpty()) << warnings.join("\n").toStdString();
    }
    // No totals of the drawing before, nor of zero parts of a file never read.
    EXPECT_EQ(window.lTotals->text().isEmpty(), QString(c.statusLine).startsWith("Not read"))
        << window.lTotals->text().toStdString();
    EXPECT_EQ(PartCount(window.Drawing()), c.parts);
    EXPECT_EQ(window.lbShapes->count() > 0, c.parts > 0);
    // Nothing of the drawing before: only the parts and open chains of this one.
    const bool drawn = c.parts > 0 || !window.Drawing().openChains.empty();
    EXPECT_EQ(DarkPixels(window.iShape->Picture()) > 0, drawn);
    // The tooltip gives every warning's sentence.
    EXPECT_EQ(window.lReadStatus->toolTip().isEmpty(), window.Drawing().warnings.empty());
    for (const quillform::Warning& w : window.Drawing().warnings)
        EXPECT_TRUE(window.lReadStatus->toolTip().contains(QString::fromStdString(w.message)));
}

INSTANTIATE_TEST_SUITE_P(Files, ReadStatus, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<StatusCase>& info) {
                             return std::string(info.param.name);
                         });

// Statuses no small file brings about: the texts still name the cause.
TEST(ReadStatusText, StatusesWithoutAFixture) {
    struct Case {
        int32_t status;
        const char* statusLine;
        const char* reason;
    };
    const Case cases[] = {
        {stOutOfMemory, "Not read: out of memory", "not enough memory to read it"},
        {stOutOfMemory | stTruncated, "Not read: out of memory", "not enough memory to read it"},
        {stLinkingFailed | stNoStartEntity, "No shapes: linking failed",
         "linking stopped before any shape was built"},
    };
    for (const Case& c : cases) {
        quillform::Drawing drawing;
        drawing.status = c.status;
        EXPECT_EQ(ReadStatusLine(drawing), c.statusLine) << c.status;
        EXPECT_EQ(ReadProblem(drawing, "/tmp/a.dxf"), QString("/tmp/a.dxf:\n") + c.reason)
            << c.status;
    }
}

// "Save parts as DXF" onto the drawing just read is refused: the drawing stays.
TEST_F(WindowFixture, SavingThePartsOverTheDrawingReadIsRefused) {
    const QString copy = QString::fromStdString(testing::TempDir()) + "own_drawing_" +
                         QString::number(QCoreApplication::applicationPid()) + ".dxf";
    QFile::remove(copy);
    ASSERT_TRUE(QFile::copy(Data("square_with_circle_hole.dxf"), copy));
    QFile original(copy);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray before = original.readAll();
    original.close();
    LoadPath(copy);
    ASSERT_EQ(PartCount(window.Drawing()), 1);
    window.ChoosePartsFile = [&copy] { return copy; };
    messages.clear();
    window.bSaveParts->click();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.first().startsWith("Cannot save the parts"))
        << messages.first().toStdString();
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    EXPECT_EQ(original.readAll(), before);
    original.close();
    QFile::remove(copy);
}
} // namespace
