// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/dxf_quillform.h"
#include "quillform/result_copy.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class QCheckBox;
class QFileDialog;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollArea;
class QSplitter;
class QTabWidget;
class QAction;
class TAboutBox;
class TImageView;

// The example window: loads a DXF file with the typed linking distance,
// logs every entity, lists and draws the shapes, and saves the listing.
class TfDXFTest : public QMainWindow {
    Q_OBJECT
public:
    explicit TfDXFTest(TAboutBox* aboutBox = nullptr, QWidget* parent = nullptr);
    ~TfDXFTest() override;

    // Dialogs and message boxes go through these, so that tests can answer them.
    std::function<QString()> ChooseDxfFile;  // empty: cancelled
    std::function<QString()> ChooseSaveFile; // empty: cancelled
    std::function<void(const QString&)> ShowMessage;

    // Loads a file as "Load" does, without the open dialog.
    void LoadFile(const QString& fileName);

    QLabel* lEntities;
    QListWidget* lbEntities;
    QSplitter* Splitter1;
    QLabel* lShapes;
    QTabWidget* pcShapes;
    QWidget* tsText;
    QListWidget* lbShapes;
    QWidget* tsDrawing;
    QScrollArea* ScrollBox1;
    TImageView* iShape;
    QWidget* Panel1;
    QPushButton* bLoad;
    QLabel* lDXFLinkingDistance;
    QLineEdit* eDXFLinkingDistance;
    QCheckBox* cbShowIndex;
    QCheckBox* cbMixLayers;
    QCheckBox* cbAccurateGeometry;
    QPushButton* bSaveShapes;
    QAction* About1;
    QFileDialog* odDxf;
    QFileDialog* sdSaveDialog;

    // The window's copy of the last read's results and their overall box.
    const TResultCopy& Results() const { return FResults; }
    double FMinX, FMinY, FMaxX, FMaxY;
    double FBoxWidth = 0, FBoxHeight = 0;

    void bLoadClick();
    void bSaveShapesClick();
    void cbShowIndexClick();
    void ScrollBox1Resize();
    void About1Click();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::unique_ptr<TDXFQuillform> FReader;
    TResultCopy FResults;
    TAboutBox* FAboutBox;
    bool FShown = false;

    void CreateMenu();
    QWidget* CreateLowerHalf();
    QWidget* CreatePanel();
    void CreateDialogs();
    void InstallReaderEvents();
    void ResetOverallBox();
    void FormShow();
    void FormClose();
    void DrawShapes(const struct TDrawingLayout& layout);
    void AppendLog(const std::wstring& line);

    // Reader events (context: the window).
    static void ReadDone(void* window);
    static void LogLayer(void* window, const wchar_t* name);
    static void LogSegment(void* window, double x1, double y1, double z1, double x2, double y2,
                           double z2, const wchar_t* layer);
    static void LogCircle(void* window, double cx, double cy, double cz, double radius,
                          const wchar_t* layer);
    static void LogArc(void* window, double cx, double cy, double cz, double radius, double a1,
                       double a2, double sx, double sy, double ex, double ey, const wchar_t* layer);
    static void LogPolyline(void* window, int32_t count, int32_t flags, const wchar_t* layer);
    static void LogVertex(void* window, double x, double y, double z, double bulge);
    static void LogBlock(void* window, const wchar_t* name, double x, double y, double z);
    static void LogEndBlock(void* window);
    static void LogInsert(void* window, const wchar_t* name, double x, double y, double z,
                          double sx, double sy, double sz, double angle, const wchar_t* layer);
};

// The locale's decimal separator, as the window writes numbers.
wchar_t LocaleDecimalSeparator();

// Delphi-style trimming: blanks and control characters at both ends.
QString TrimBlanksAndControls(const QString& text);
