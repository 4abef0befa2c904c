// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// The example window, driven as a user would, with its dialogs answered by the test.
#include "check_page.h"
#include "image_view.h"
#include "main_window.h"
#include "measures_page.h"
#include "shape_drawing.h"
#include "window_fixture.h"

#include "quillform/cut_files.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <utility>
#include <vector>

namespace {
std::string Slurp(const QString& path) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool IsColor(const QImage& image, int x, int y, QRgb color) {
    return (image.pixel(x, y) & 0xFFFFFF) == (color & 0xFFFFFF);
}

bool IsWhite(const QImage& image, int x, int y) {
    return IsColor(image, x, y, qRgb(255, 255, 255));
}

TEST_F(WindowFixture, CaptionCarriesTheVersionAfterShow) {
    EXPECT_EQ(window.windowTitle(), "DXF Quillform example - 0.9.3.1.beta");
    EXPECT_EQ(window.findChild<QWidget*>("pcShapes")->objectName(), "pcShapes");
    EXPECT_TRUE(window.cbShowIndex->isChecked());
}

TEST_F(WindowFixture, CancellingTheOpenDialogChangesNothing) {
    Load("square_with_circle_hole.dxf");
    const QStringList log = Items(window.lbEntities), listing = Items(window.lbShapes);
    const QImage picture = window.iShape->Picture();
    nextFile.clear();
    messages.clear();
    window.bLoad->click();
    EXPECT_EQ(Items(window.lbEntities), log);
    EXPECT_EQ(Items(window.lbShapes), listing);
    EXPECT_EQ(window.iShape->Picture(), picture);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(WindowFixture, LoadLogsEveryEntityAndListsTheShapes) {
    Load("log_example.dxf");
    const QStringList log = Items(window.lbEntities);
    ASSERT_GE(log.size(), 5);
    EXPECT_EQ(log.at(4), "Segment: Start(X=0; Y=0; Z=0)-End(X=10; Y=5.5; Z=0), Layer = 0");
    Load("square_with_circle_hole.dxf");
    EXPECT_EQ(
        Items(window.lbShapes),
        QStringList({"SHAPE # 0", "Polygon: 4 vertices.", "  Vertex: X = 0; 10",
                     "  Vertex: X = 0; 0", "  Vertex: X = 10; 0", "  Vertex: X = 10; 10",
                     "  Shape bounding box: TopX = 0 TopY = 10 BottomX = 10 BottomY = 0",
                     "    Hole (circle): centerX =5; centerY =5; Radius = 2",
                     "        Hole bounding box: TopX = 7 TopY = 7 BottomX = 3 BottomY = 3"}));
}

TEST_F(WindowFixture, AccurateGeometryBoxIsPassedAtEachLoad) {
    EXPECT_FALSE(window.cbAccurateGeometry->isChecked());
    EXPECT_EQ(window.cbAccurateGeometry->text(), "Accurate geometry");
    Load("accurate/paper_space.dxf");
    ASSERT_FALSE(messages.isEmpty());
    EXPECT_EQ(messages.first(), "2 shapes discovered in layer 0");
    messages.clear();
    window.cbAccurateGeometry->setChecked(true);
    Load("accurate/paper_space.dxf");
    ASSERT_FALSE(messages.isEmpty());
    EXPECT_EQ(messages.first(), "1 shapes discovered in layer 0");
}

TEST_F(WindowFixture, OneMessagePerLayerInLayerOrder) {
    Load("open_chain_facade.dxf", "0");
    EXPECT_EQ(messages, QStringList({"1 shapes discovered in layer 0",
                                     "0 shapes discovered in layer Empty"}));
}

TEST_F(WindowFixture, DistanceIsTrimmedAndANonNumberStopsTheLoad) {
    Load("gap_two.dxf", " 2.5 ");
    EXPECT_EQ(window.Results().Layers[0].ShapeCount, 1);
    Load("gap_two.dxf", "1");
    EXPECT_EQ(window.Results().Layers[0].ShapeCount, 0);
    messages.clear();
    Load("square_with_circle_hole.dxf", "abc");
    EXPECT_EQ(window.lbEntities->count(), 0);
    EXPECT_EQ(window.lbShapes->count(), 0);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.at(0).contains("'abc'")) << messages.at(0).toStdString();
}

TEST_F(WindowFixture, SaveWritesTheListingWithCrLf) {
    Load("square_with_circle_hole.dxf");
    nextSaveFile = QString::fromStdString(testing::TempDir()) + "shapes.txt";
    window.bSaveShapes->click();
    std::string expected;
    for (const QString& line : Items(window.lbShapes))
        expected += line.toStdString() + "\r\n";
    EXPECT_EQ(Slurp(nextSaveFile), expected);
    EXPECT_NE(expected.find("Hole (circle)"), std::string::npos);

    window.lbShapes->clear();
    window.bSaveShapes->click();
    EXPECT_EQ(Slurp(nextSaveFile), ""); // an empty listing replaces the file with nothing

    nextSaveFile = "/nonexistent-dir/shapes.txt";
    window.bSaveShapes->click();
    ASSERT_EQ(messages.size(), 2); // the load's message, then the failed save
    EXPECT_TRUE(messages.back().startsWith("Cannot create file")) << messages.back().toStdString();
}

// "Save parts as DXF…" writes what the cut DXF of the read holds, which reads
// back as the same part; a folder that is not there is a message, no file.
TEST_F(WindowFixture, SavePartsWritesTheCutDxfOfTheLoadedDrawing) {
    Load("square_with_circle_hole.dxf");
    const QString target = QString::fromStdString(testing::TempDir()) + "parts_" +
                           QString::number(QCoreApplication::applicationPid()) + ".dxf";
    QString answer = target;
    window.ChoosePartsFile = [&answer] { return answer; };
    window.bSaveParts->click();
    EXPECT_EQ(Slurp(target), quillform::CutDxf(window.Drawing()).text);
    quillform::Settings back;
    back.holesAcrossLayers = true; // holes are on INNER, outlines on OUTER
    const quillform::Drawing read = quillform::ReadDrawing(target.toStdString(), back);
    std::remove(target.toStdString().c_str());
    std::vector<std::pair<std::string, quillform::Shape>> shapes;
    for (const quillform::Layer& layer : read.layers)
        for (const quillform::Shape& shape : layer.shapes)
            shapes.emplace_back(layer.name, shape);
    ASSERT_EQ(shapes.size(), 1u);
    EXPECT_EQ(shapes[0].first, "OUTER");
    EXPECT_EQ(shapes[0].second.vertices.size(), 4u);
    ASSERT_EQ(shapes[0].second.holes.size(), 1u);
    EXPECT_EQ(shapes[0].second.holes[0].kind, quillform::OutlineKind::Circle);
    EXPECT_EQ(messages.size(), 1); // the load's only

    answer = "/nonexistent-dir/parts.dxf";
    window.bSaveParts->click();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_TRUE(messages.back().startsWith("Cannot save the parts"))
        << messages.back().toStdString();
    EXPECT_FALSE(std::filesystem::exists(answer.toStdString()));

    answer.clear(); // cancelled
    window.bSaveParts->click();
    EXPECT_EQ(messages.size(), 2);
}

TEST_F(WindowFixture, WideDrawingIsScaledByWidthWithTwentyPixelMargins) {
    window.cbShowIndex->setChecked(false);
    Load("wide_rect.dxf");
    const QImage picture = window.iShape->Picture();
    const int w = window.iShape->width(), h = window.iShape->height();
    ASSERT_GT(w, 100);
    ASSERT_GT(h, 100);
    const double scale = std::min((w - 40) / 200.0, (h - 40) / 100.0);
    EXPECT_EQ(picture.width(), static_cast<int>(200 * scale) + 40);
    EXPECT_EQ(picture.height(), static_cast<int>(100 * scale) + 40);
    const int right = 20 + static_cast<int>(200 * scale);
    const int bottom = picture.height() - 20;
    const int top = picture.height() - (20 + static_cast<int>(100 * scale));
    const int middleY = (top + bottom) / 2;
    EXPECT_TRUE(IsColor(picture, 20, middleY, qRgb(0, 0, 0)));
    EXPECT_TRUE(IsColor(picture, right, middleY, qRgb(0, 0, 0)));
    EXPECT_TRUE(IsColor(picture, (20 + right) / 2, top, qRgb(0, 0, 0)));
    EXPECT_TRUE(IsColor(picture, (20 + right) / 2, bottom, qRgb(0, 0, 0)));
    EXPECT_TRUE(IsWhite(picture, 10, middleY));
    EXPECT_TRUE(IsWhite(picture, right + 10, middleY));
    // The hole: a red circle of radius 25 around the centre.
    const int cx = 20 + static_cast<int>(100 * scale);
    const int holeRight = 20 + static_cast<int>(125 * scale);
    bool red = false;
    for (int x = holeRight - 1; x <= holeRight + 1; ++x)
        for (int y = middleY - 1; y <= middleY + 1; ++y)
            red = red || IsColor(picture, x, y, qRgb(255, 0, 0));
    EXPECT_TRUE(red);
    EXPECT_TRUE(IsWhite(picture, cx, middleY));
}

TEST_F(WindowFixture, UncheckingShowIndexRemovesTheLabels) {
    Load("square_shuffled.dxf", "0");
    const auto darkInCentre = [this] {
        const QImage picture = window.iShape->Picture();
        int dark = 0;
        for (int x = picture.width() / 2 - 6; x < picture.width() / 2 + 6; ++x)
            for (int y = picture.height() / 2 - 6; y < picture.height() / 2 + 6; ++y)
                dark += qGray(picture.pixel(x, y)) < 128;
        return dark;
    };
    EXPECT_GT(darkInCentre(), 0);
    window.cbShowIndex->click();
    EXPECT_EQ(darkInCentre(), 0);
}

// The plate's halves miss by 0.005: at 0.001 they stay open chains, drawn in
// their own colour with a square at each loose end (the plate's corner at
// the origin is one of them, 20 pixels in from the bottom-left corner).
TEST_F(WindowFixture, OpenChainsAreDrawnInTheirOwnColourWithTheirLooseEnds) {
    Load("diagnostics/gaps.dxf", "0.001");
    const QImage picture = window.iShape->Picture();
    ASSERT_FALSE(picture.isNull());
    const QRgb blue = qRgb(0, 0, 255);
    int bluePixels = 0;
    for (int x = 0; x < picture.width(); ++x)
        for (int y = 0; y < picture.height(); ++y)
            bluePixels += IsColor(picture, x, y, blue);
    EXPECT_GT(bluePixels, 100);
    const int bottom = picture.height() - 1 - 20;
    for (int dx = -2; dx <= 2; ++dx)
        for (int dy = -2; dy <= 2; ++dy)
            EXPECT_TRUE(IsColor(picture, 20 + dx, bottom + dy, blue)) << dx << ", " << dy;
    // Joined at 0.01, nothing is open and nothing is blue.
    Load("diagnostics/gaps.dxf", "0.01");
    const QImage closed = window.iShape->Picture();
    for (int x = 0; x < closed.width(); ++x)
        for (int y = 0; y < closed.height(); ++y)
            ASSERT_FALSE(IsColor(closed, x, y, blue)) << x << ", " << y;
}

QStringList Row(const QTableWidget* table, int row) {
    QStringList cells;
    for (int c = 0; c < table->columnCount(); ++c)
        cells << (table->item(row, c) ? table->item(row, c)->text() : "<none>");
    return cells;
}

TEST_F(WindowFixture, MeasuresPageListsEveryPartAndTheStatusBarTheTotals) {
    const auto* tabs = window.findChild<QTabWidget*>("pcShapes");
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->tabText(0), "Text");
    EXPECT_EQ(tabs->tabText(1), "Drawing");
    EXPECT_EQ(tabs->tabText(2), "Measures");
    EXPECT_EQ(tabs->currentIndex(), 1); // the Drawing page stays the one shown
    const QTableWidget* table = window.tsMeasures->tbMeasures;
    Load("measures/island.dxf", "0.000001");
    ASSERT_EQ(table->rowCount(), 3);
    EXPECT_EQ(table->horizontalHeaderItem(4)->text(), "Area (mm\u00b2)");
    EXPECT_EQ(table->horizontalHeaderItem(5)->text(), "Cut length (mm)");
    // A 100 x 100 plate with a 60 x 60 hole, and the 20 x 20 island in it
    // with a round hole of diameter 8.
    EXPECT_EQ(Row(table, 0),
              QStringList({"0", "0", "100", "100", "6400", "640", "2", "100", "100", "0", "60"}));
    EXPECT_EQ(Row(table, 1).mid(0, 4), QStringList({"0", "1", "20", "20"}));
    EXPECT_NEAR(table->item(1, 4)->text().toDouble(), 400 - 16 * M_PI, 1e-6);
    EXPECT_EQ(table->item(1, 10)->text(), "8");
    EXPECT_EQ(Row(table, 2), QStringList({"Total", "2", "100", "100", "6749.734518", "745.1327412",
                                          "4", "", "", "", "8"}));
    EXPECT_EQ(window.lTotals->text(),
              "2 parts, 4 pierces, cut length 745.1327412 mm, area 6749.734518 mm\u00b2");
    Load("measures/circle.dxf", "0.000001");
    ASSERT_EQ(table->rowCount(), 2);
    EXPECT_EQ(table->item(0, 10)->text(), ""); // no hole
    EXPECT_EQ(window.lTotals->text(),
              "1 part, 1 pierce, cut length 31.41592654 mm, area 78.53981634 mm\u00b2");
    // A drawing that does not say its unit: no unit in the headers.
    Load("square_with_circle_hole.dxf");
    EXPECT_EQ(table->horizontalHeaderItem(4)->text(), "Area");
    EXPECT_EQ(Row(table, 0).mid(6, 1), QStringList({"2"}));
}

TEST_F(WindowFixture, PartsWithoutFiguresAreCountedApart) {
    Load("huge_coords.dxf");
    const QTableWidget* table = window.tsMeasures->tbMeasures;
    ASSERT_EQ(table->rowCount(), 4);
    EXPECT_EQ(table->item(0, 4)->text(), "");
    EXPECT_EQ(window.lTotals->text(),
              "3 parts, 0 pierces, cut length 0, area 0 (3 without figures)");
}

// The bow tie crosses itself at the middle of its box: the "Check" page
// lists it, and selecting it rings the crossing in red on the Drawing page
// (nothing is marked before).
TEST_F(WindowFixture, SelectingAFindingMarksItOnTheDrawing) {
    Load("check/self_intersection.dxf");
    ASSERT_FALSE(window.Findings().empty());
    const QStringList lines = Items(window.tsCheck->lbFindings);
    ASSERT_EQ(lines.size(), static_cast<int>(window.Findings().size()));
    int row = lines.indexOf(QRegularExpression("^error selfIntersection on layer CUT part 0 at "
                                               "\\(20, 15\\).*"));
    ASSERT_GE(row, 0) << lines.join("\n").toStdString();
    const QRgb red = qRgb(220, 0, 0);
    const auto redPixels = [&](double* meanX, double* meanY) {
        const QImage picture = window.iShape->Picture();
        int count = 0;
        double sx = 0, sy = 0;
        for (int x = 0; x < picture.width(); ++x)
            for (int y = 0; y < picture.height(); ++y)
                if (IsColor(picture, x, y, red)) {
                    ++count;
                    sx += x;
                    sy += y;
                }
        *meanX = count ? sx / count : 0;
        *meanY = count ? sy / count : 0;
        return count;
    };
    double x = 0, y = 0;
    EXPECT_EQ(redPixels(&x, &y), 0);
    window.tsCheck->lbFindings->setCurrentRow(row);
    ASSERT_GT(redPixels(&x, &y), 20);
    const QImage picture = window.iShape->Picture();
    EXPECT_NEAR(x, picture.width() / 2.0, 3);
    EXPECT_NEAR(y, picture.height() / 2.0, 3);
}

TEST(Drawing, ArcWhoseEndsShareAPixelIsNotAFullCircle) {
    quillform::TResultCopy results;
    results.LayerCount = 1;
    results.Layers = std::make_unique<TFixedSizeLayer[]>(1);
    TFixedSizeLayer& layer = results.Layers[0];
    layer.ShapeCount = 1;
    layer.Shapes = std::make_unique<TShapeWithHoles[]>(1);
    TShapeWithHoles& shape = layer.Shapes[0];
    shape.Polygon = std::make_unique<TPolygon>(4);
    // A tiny arc from (50, 0) to (50.001, 0) on a circle of radius 25 above them.
    shape.Polygon->Points[0] = {0, 50, 0};
    shape.Polygon->Points[1] = {0, 50.001, 0};
    shape.Polygon->Points[2] = {0, 100, 100};
    shape.Polygon->Points[3] = {0, 0, 100};
    shape.Polygon->Arcs[0].IsArc = 1;
    shape.Polygon->Arcs[0].CenterX = 50.0005;
    shape.Polygon->Arcs[0].CenterY = 25;
    shape.Polygon->Arcs[0].Radius = 25;
    const TBoundingBox box{0, 0, 100, 100, 100, 100};
    const TDrawingLayout layout = LayoutFor(box, 240, 240);
    const QImage picture = RenderShapes(results, layout, 240, 240, false);
    const QPoint start = MapPoint(50, 0, layout);
    EXPECT_LT(qGray(picture.pixel(start.x(), start.y() - 1)), 128); // the arc's own pixels
    for (const auto& onCircle : {QPointF(50, 50), QPointF(25, 25), QPointF(75, 25)}) {
        const QPoint p = MapPoint(onCircle.x(), onCircle.y(), layout);
        EXPECT_TRUE(IsWhite(picture, p.x(), p.y())) << onCircle.x() << ", " << onCircle.y();
    }
}

struct LayoutCase {
    const char* name;
    TBoundingBox box;
    int width, height;
};

TEST(Drawing, DegenerateBoxesAndTinyViewsGiveFinitePositiveScales) {
    const LayoutCase cases[] = {
        {"vertical line", {5, 0, 5, 100, 0, 100}, 400, 400},
        {"horizontal line", {0, 5, 100, 5, 100, 0}, 400, 400},
        {"single point", {5, 5, 5, 5, 0, 0}, 400, 400},
        {"view smaller than margins", {0, 0, 100, 50, 100, 50}, 30, 10},
        {"no shapes", TBoundingBox(), 300, 200},
    };
    for (const LayoutCase& c : cases) {
        const TDrawingLayout layout = LayoutFor(c.box, c.width, c.height);
        EXPECT_TRUE(std::isfinite(layout.scale) && layout.scale > 0) << c.name;
        EXPECT_GE(layout.width, 1) << c.name;
        EXPECT_GE(layout.height, 1) << c.name;
        EXPECT_LE(layout.width, std::max(c.width, 41)) << c.name;
        EXPECT_LE(layout.height, std::max(c.height, 41)) << c.name;
        const QImage picture =
            RenderShapes(quillform::TResultCopy(), layout, c.width, c.height, true);
        EXPECT_FALSE(picture.isNull()) << c.name;
    }
}

TEST(Drawing, BitmapTooLargeToCreateIsNull) {
    TDrawingLayout huge;
    huge.width = huge.height = 1 << 20;
    EXPECT_TRUE(RenderShapes(quillform::TResultCopy(), huge, 100, 100, true).isNull());
}

struct ArcPixels {
    TCanvas::ArcDirection direction;
    QPoint start, end;
    bool upperRight, lowerLeft;
};

TEST(Canvas, ArcDirectionAndRays) {
    const int d = 70; // 45-degree points of a circle of radius 50 about (50, 50)
    const ArcPixels cases[] = {
        // From 3 o'clock to 12 o'clock: counter-clockwise is the short way, through upper
        // right.
        {TCanvas::CounterClockwise, {100, 50}, {50, 0}, true, false},
        {TCanvas::Clockwise, {100, 50}, {50, 0}, false, true},
        // Rays, not points on the circle: far points on the same rays give the same arc.
        {TCanvas::CounterClockwise, {400, 50}, {50, -300}, true, false},
        // Equal rays: the whole circle.
        {TCanvas::Clockwise, {100, 50}, {200, 50}, true, true},
    };
    for (const ArcPixels& c : cases) {
        QImage image(101, 101, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        TCanvas canvas(painter);
        canvas.SetArcDirection(c.direction);
        canvas.Arc(0, 0, 100, 100, c.start.x(), c.start.y(), c.end.x(), c.end.y());
        painter.end();
        const auto darkNear = [&image](int x, int y) {
            for (int dx = -2; dx <= 2; ++dx)
                for (int dy = -2; dy <= 2; ++dy)
                    if (qGray(image.pixel(x + dx, y + dy)) < 128)
                        return true;
            return false;
        };
        EXPECT_EQ(darkNear(50 + d / 2 + 0, 50 - d / 2), c.upperRight) << c.direction;
        EXPECT_EQ(darkNear(50 - d / 2, 50 + d / 2), c.lowerLeft) << c.direction;
    }
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QLocale::setDefault(QLocale::c()); // '.' as decimal separator, whatever the machine says
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
