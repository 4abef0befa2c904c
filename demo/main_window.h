// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/drawing.h"
#include "quillform/dxf_quillform.h"
#include "quillform/entity_log.h"
#include "quillform/result_copy.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <vector>

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
class TCheckPage;
class TImageView;
class TMeasuresPage;

// The example window: loads a DXF file with the typed linking distance,
// logs every entity, lists and draws the shapes, and saves the listing. The
// window is the entity log's sink: the reader's entity events append to it.
class TfDXFTest : public QMainWindow, private quillform::EntityLogSink {
    Q_OBJECT
public:
    explicit TfDXFTest(TAboutBox* aboutBox = nullptr, QWidget* parent = nullptr);
    ~TfDXFTest() override;

    // Dialogs and message boxes go through these, so that tests can answer them.
    std::function<QString()> ChooseDxfFile;   // empty: cancelled
    std::function<QString()> ChooseSaveFile;  // empty: cancelled
    std::function<QString()> ChoosePartsFile; // the DXF of the parts; empty: cancelled
    std::function<void(const QString&)> ShowMessage;
    // A read that failed or stopped short: a warning box.
    std::function<void(const QString&)> ShowWarning;

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
    TCheckPage* tsCheck; // the preflight check's findings
    TImageView* iShape;
    TMeasuresPage* tsMeasures; // the parts' figures and totals
    QLabel* lReadStatus;       // how the last read ended, in the status bar
    QLabel* lTotals;           // the totals, in the status bar
    QWidget* Panel1;
    QPushButton* bLoad;
    QLabel* lDXFLinkingDistance;
    QLineEdit* eDXFLinkingDistance;
    QCheckBox* cbShowIndex;
    QCheckBox* cbMixLayers;
    QCheckBox* cbAccurateGeometry;
    QPushButton* bSaveShapes;
    QPushButton* bSaveParts;
    QAction* About1;
    QFileDialog* odDxf;
    QFileDialog* sdSaveDialog;

    // The window's copy of the last read's results and their overall box.
    const quillform::TResultCopy& Results() const { return FResults; }
    // The same read as values, with the chains that did not close (drawn too).
    const quillform::Drawing& Drawing() const { return FDrawing; }
    // What the check found in it (without limits: the sizes need a
    // material); the one selected on the "Check" page is marked on the
    // Drawing page.
    const std::vector<quillform::Finding>& Findings() const { return FFindings; }
    double FMinX, FMinY, FMaxX, FMaxY;
    double FBoxWidth = 0, FBoxHeight = 0;

    void bLoadClick();
    void bSaveShapesClick();
    // Writes the parts of the last read as a cut-ready DXF (save_parts.cpp).
    void bSavePartsClick();
    void cbShowIndexClick();
    void ScrollBox1Resize();
    void About1Click();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::unique_ptr<TDXFQuillform> FReader;
    QString FFileName; // of the read under way or the last one
    quillform::TResultCopy FResults;
    quillform::Drawing FDrawing;
    std::vector<quillform::Finding> FFindings;
    int FSelectedFinding = -1;
    TAboutBox* FAboutBox;
    bool FShown = false;

    void CreateMenu();
    QWidget* CreateLowerHalf();
    QWidget* CreatePanel();
    void CreateDialogs();
    void CreateSavePartsButton();
    void InstallReaderEvents();
    void ResetOverallBox();
    void FormShow();
    void FormClose();
    void DrawShapes(const struct TDrawingLayout& layout);
    void ShowReadStatus();
    // The entity log: one line per event, numbers in the locale's format.
    void Append(const std::wstring& line) override;
    wchar_t DecimalSeparator() const override;

    static void ReadDone(void* window);
};

// The locale's decimal separator, as the window writes numbers.
wchar_t LocaleDecimalSeparator();

// Delphi-style trimming: blanks and control characters at both ends.
QString TrimBlanksAndControls(const QString& text);
