// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "main_window.h"

#include "about_box.h"
#include "check_page.h"
#include "finding_marks.h"
#include "image_view.h"
#include "measures_page.h"
#include "read_status.h"
#include "shape_drawing.h"

#include "quillform/check.h"
#include "quillform/names.h"
#include "quillform/shape_listing.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <cerrno>
#include <cstring>
#include <fstream>

namespace {
TfDXFTest* Window(void* context) {
    return static_cast<TfDXFTest*>(context);
}

QFont CaptionFont(const QWidget* widget) {
    QFont font = widget->font();
    font.setBold(true);
    font.setPixelSize(17);
    return font;
}
} // namespace

wchar_t LocaleDecimalSeparator() {
    const QString point = QLocale().decimalPoint();
    return point.isEmpty() ? L'.' : static_cast<wchar_t>(point.at(0).unicode());
}

QString TrimBlanksAndControls(const QString& text) {
    qsizetype first = 0, last = text.size();
    while (first < last && text.at(first).unicode() <= 0x20)
        ++first;
    while (last > first && text.at(last - 1).unicode() <= 0x20)
        --last;
    return text.mid(first, last - first);
}

TfDXFTest::TfDXFTest(TAboutBox* aboutBox, QWidget* parent)
    : QMainWindow(parent), FReader(std::make_unique<TDXFQuillform>()), FAboutBox(aboutBox) {
    setWindowTitle("DXF Quillform example");
    resize(947, 756);
    ResetOverallBox();
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    lEntities = new QLabel("Entities", central);
    lEntities->setObjectName("lEntities");
    lEntities->setFont(CaptionFont(lEntities));
    layout->addWidget(lEntities);
    Splitter1 = new QSplitter(Qt::Vertical, central);
    Splitter1->setObjectName("Splitter1");
    Splitter1->setHandleWidth(3);
    lbEntities = new QListWidget(Splitter1);
    lbEntities->setObjectName("lbEntities");
    Splitter1->addWidget(lbEntities);
    Splitter1->addWidget(CreateLowerHalf());
    Splitter1->setSizes({326, 360});
    layout->addWidget(Splitter1, 1);
    layout->addWidget(CreatePanel());
    setCentralWidget(central);
    lReadStatus = new QLabel(this);
    lReadStatus->setObjectName("lReadStatus");
    lReadStatus->setContentsMargins(0, 0, 16, 0); // apart from the totals
    statusBar()->addWidget(lReadStatus);
    lTotals = new QLabel(this);
    lTotals->setObjectName("lTotals");
    statusBar()->addWidget(lTotals, 1);
    CreateMenu();
    CreateDialogs();
    InstallReaderEvents();
}

TfDXFTest::~TfDXFTest() = default;

QWidget* TfDXFTest::CreateLowerHalf() {
    auto* lower = new QWidget(Splitter1);
    auto* layout = new QVBoxLayout(lower);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    lShapes = new QLabel("Shapes", lower);
    lShapes->setObjectName("lShapes");
    lShapes->setFont(CaptionFont(lShapes));
    layout->addWidget(lShapes);
    pcShapes = new QTabWidget(lower);
    pcShapes->setObjectName("pcShapes");
    tsText = new QWidget(pcShapes);
    tsText->setObjectName("tsText");
    auto* textLayout = new QVBoxLayout(tsText);
    textLayout->setContentsMargins(0, 0, 0, 0);
    lbShapes = new QListWidget(tsText);
    lbShapes->setObjectName("lbShapes");
    textLayout->addWidget(lbShapes);
    tsDrawing = new QWidget(pcShapes);
    tsDrawing->setObjectName("tsDrawing");
    auto* drawingLayout = new QVBoxLayout(tsDrawing);
    drawingLayout->setContentsMargins(0, 0, 0, 0);
    ScrollBox1 = new QScrollArea(tsDrawing);
    ScrollBox1->setObjectName("ScrollBox1");
    ScrollBox1->setWidgetResizable(true);
    iShape = new TImageView(ScrollBox1);
    iShape->setObjectName("iShape");
    ScrollBox1->setWidget(iShape);
    ScrollBox1->viewport()->installEventFilter(this);
    drawingLayout->addWidget(ScrollBox1);
    pcShapes->addTab(tsText, "Text");
    pcShapes->addTab(tsDrawing, "Drawing");
    tsMeasures = new TMeasuresPage(pcShapes);
    pcShapes->addTab(tsMeasures, "Measures");
    tsCheck = new TCheckPage(pcShapes);
    tsCheck->OnSelect = [this](int row) {
        FSelectedFinding = row;
        ScrollBox1Resize();
    };
    pcShapes->addTab(tsCheck, "Check");
    pcShapes->setCurrentWidget(tsDrawing);
    layout->addWidget(pcShapes, 1);
    return lower;
}

QWidget* TfDXFTest::CreatePanel() {
    Panel1 = new QWidget(this);
    Panel1->setObjectName("Panel1");
    Panel1->setFixedHeight(54);
    bLoad = new QPushButton("Load", Panel1);
    bLoad->setObjectName("bLoad");
    bLoad->setGeometry(21, 7, 98, 33);
    lDXFLinkingDistance = new QLabel("DXF Linking Distance", Panel1);
    lDXFLinkingDistance->setObjectName("lDXFLinkingDistance");
    lDXFLinkingDistance->move(152, 8);
    eDXFLinkingDistance = new QLineEdit("1", Panel1);
    eDXFLinkingDistance->setObjectName("eDXFLinkingDistance");
    eDXFLinkingDistance->setGeometry(152, 24, 121, 25);
    cbShowIndex = new QCheckBox("Show Index", Panel1);
    cbShowIndex->setObjectName("cbShowIndex");
    cbShowIndex->setChecked(true);
    cbShowIndex->move(360, 16);
    cbMixLayers = new QCheckBox("Mix Layers", Panel1);
    cbMixLayers->setObjectName("cbMixLayers");
    cbMixLayers->move(536, 16);
    cbAccurateGeometry = new QCheckBox("Accurate geometry", Panel1);
    cbAccurateGeometry->setObjectName("cbAccurateGeometry");
    cbAccurateGeometry->move(640, 16);
    bSaveShapes = new QPushButton("Save as txt...", Panel1);
    bSaveShapes->setObjectName("bSaveShapes");
    bSaveShapes->setGeometry(785, 6, 121, 35);
    connect(bLoad, &QPushButton::clicked, this, &TfDXFTest::bLoadClick);
    connect(bSaveShapes, &QPushButton::clicked, this, &TfDXFTest::bSaveShapesClick);
    connect(cbShowIndex, &QCheckBox::clicked, this, &TfDXFTest::cbShowIndexClick);
    CreateSavePartsButton();
    return Panel1;
}

void TfDXFTest::CreateMenu() {
    menuBar()->setObjectName("MainMenu1");
    QMenu* file = menuBar()->addMenu("File");
    // The window opens narrower than the panel's last button: the menu reaches it too.
    connect(file->addAction(QString::fromUtf8("Save parts as DXF\u2026")), &QAction::triggered,
            this, &TfDXFTest::bSavePartsClick);
    QMenu* help = menuBar()->addMenu("Help");
    About1 = help->addAction("About");
    About1->setObjectName("About1");
    connect(About1, &QAction::triggered, this, &TfDXFTest::About1Click);
}

void TfDXFTest::CreateDialogs() {
    odDxf = new QFileDialog(this, "Open", QString(), "dxf (*.dxf)");
    odDxf->setObjectName("odDxf");
    odDxf->setDefaultSuffix("dxf");
    odDxf->setFileMode(QFileDialog::ExistingFile);
    sdSaveDialog = new QFileDialog(this, "Save as", QString(), "*.txt (*.txt)");
    sdSaveDialog->setObjectName("sdSaveDialog");
    sdSaveDialog->setDefaultSuffix("txt");
    sdSaveDialog->setAcceptMode(QFileDialog::AcceptSave);
    const auto run = [](QFileDialog* dialog) {
        return dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty()
                   ? dialog->selectedFiles().first()
                   : QString();
    };
    ChooseDxfFile = [this, run] { return run(odDxf); };
    ChooseSaveFile = [this, run] { return run(sdSaveDialog); };
    ShowMessage = [this](const QString& text) {
        QMessageBox::information(this, windowTitle(), text);
    };
    ShowWarning = [this](const QString& text) { QMessageBox::warning(this, windowTitle(), text); };
}

void TfDXFTest::InstallReaderEvents() {
    TDXFQuillform& r = *FReader;
    const quillform::EntityEvents log = quillform::EntityLogEvents(*this);
    r.OnReadDone = {ReadDone, this};
    r.OnLayer = log.OnLayer;
    r.OnSegment = log.OnSegment;
    r.OnCircle = log.OnCircle;
    r.OnArc = log.OnArc;
    r.OnPolyline = log.OnPolyline;
    r.OnVertex = log.OnVertex;
    r.OnBlock = log.OnBlock;
    r.OnEndBlock = log.OnEndBlock;
    r.OnInsert = log.OnInsert;
}

void TfDXFTest::ResetOverallBox() {
    FMinX = FMinY = quillform::kEmptyBoxMin;
    FMaxX = FMaxY = quillform::kEmptyBoxMax;
    FBoxWidth = FBoxHeight = 0;
}

void TfDXFTest::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!FShown)
        FormShow();
    FShown = true;
}

void TfDXFTest::FormShow() {
    char version[30];
    setWindowTitle(windowTitle() + " - " + FReader->GetVersion(version));
}

void TfDXFTest::closeEvent(QCloseEvent* event) {
    FormClose();
    QMainWindow::closeEvent(event);
}

void TfDXFTest::FormClose() {
    FResults = quillform::TResultCopy();
    FDrawing = quillform::Drawing();
    FReader.reset();
}

bool TfDXFTest::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ScrollBox1->viewport() && event->type() == QEvent::Resize)
        ScrollBox1Resize();
    return QMainWindow::eventFilter(watched, event);
}

void TfDXFTest::LoadFile(const QString& fileName) {
    if (!FReader)
        return;
    lbEntities->clear();
    lbShapes->clear();
    tsMeasures->Clear();
    lTotals->clear();
    lReadStatus->clear();
    lReadStatus->setToolTip(QString());
    QLocale locale;
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    const QString text = TrimBlanksAndControls(eDXFLinkingDistance->text());
    bool ok = false;
    const double distance = locale.toDouble(text, &ok);
    if (!ok) {
        ShowMessage("'" + text + "' is not a valid floating point value");
        return;
    }
    FReader->SetLinkingDistance(distance);
    FReader->SetOpenContourMode(0); // open chains are always dropped here
    FReader->SetMixLayers(cbMixLayers->isChecked() ? 1 : 0);
    FReader->SetAccurateGeometry(cbAccurateGeometry->isChecked() ? 1 : 0);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    FFileName = fileName;
    FReader->Read(fileName.toStdWString().c_str());
    ShowReadStatus(); // once the reader is done: the box runs its own event loop
}

void TfDXFTest::ShowReadStatus() {
    lReadStatus->setText(ReadStatusLine(FDrawing));
    lReadStatus->setToolTip(WarningLines(FDrawing));
    if (!FDrawing.Read())
        lTotals->clear(); // no totals of zero parts for a drawing never read
    const QString problem = ReadProblem(FDrawing, FFileName);
    if (!problem.isEmpty())
        ShowWarning(problem);
}

void TfDXFTest::bLoadClick() {
    const QString fileName = ChooseDxfFile();
    if (!fileName.isEmpty())
        LoadFile(fileName);
}

void TfDXFTest::Append(const std::wstring& line) {
    lbEntities->addItem(QString::fromStdWString(line));
}

wchar_t TfDXFTest::DecimalSeparator() const {
    return LocaleDecimalSeparator();
}

void TfDXFTest::ReadDone(void* context) {
    TfDXFTest* w = Window(context);
    w->FDrawing = quillform::CopyDrawing(*w->FReader);
    // Named, so that "Save parts as DXF" refuses to write over the drawing read.
    w->FDrawing.file = QFile::encodeName(w->FFileName).toStdString();
    w->FResults = quillform::ToResultCopy(w->FDrawing);
    w->ResetOverallBox();
    // The shapes, and the chains that did not close, so that they are seen too.
    const TBoundingBox overall = PictureBox(w->FDrawing);
    w->FMinX = overall.MinX;
    w->FMinY = overall.MinY;
    w->FMaxX = overall.MaxX;
    w->FMaxY = overall.MaxY;
    const wchar_t separator = LocaleDecimalSeparator();
    for (const quillform::Layer& layer : w->FDrawing.layers) {
        w->ShowMessage(QString::fromStdWString(quillform::ShapesDiscoveredMessage(layer)));
        for (const std::wstring& line : quillform::ListingLines(layer, separator))
            w->lbShapes->addItem(QString::fromStdWString(line));
    }
    w->tsMeasures->Show(w->FDrawing);
    w->lTotals->setText(w->tsMeasures->TotalLine());
    w->FFindings = quillform::Check(w->FDrawing);
    w->FSelectedFinding = -1;
    w->tsCheck->Show(w->FFindings);
    w->ScrollBox1Resize();
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

void TfDXFTest::bSaveShapesClick() {
    const QString fileName = ChooseSaveFile();
    if (fileName.isEmpty())
        return;
    std::ofstream file(fileName.toLocal8Bit().toStdString(), std::ios::binary | std::ios::trunc);
    for (int i = 0; file && i < lbShapes->count(); ++i)
        file << quillform::EncodeForLocale(lbShapes->item(i)->text().toStdWString()) << "\r\n";
    file.close();
    if (!file)
        ShowMessage("Cannot create file \"" + fileName + "\". " + QString(std::strerror(errno)));
}

void TfDXFTest::cbShowIndexClick() {
    ScrollBox1Resize();
}

void TfDXFTest::ScrollBox1Resize() {
    TBoundingBox overall;
    overall.MinX = FMinX;
    overall.MinY = FMinY;
    overall.MaxX = FMaxX;
    overall.MaxY = FMaxY;
    FBoxWidth = FMaxX - FMinX;
    FBoxHeight = FMaxY - FMinY;
    DrawShapes(LayoutFor(overall, iShape->width(), iShape->height()));
}

void TfDXFTest::DrawShapes(const TDrawingLayout& layout) {
    QImage picture =
        RenderShapes(FDrawing, layout, iShape->width(), iShape->height(), cbShowIndex->isChecked());
    if (picture.isNull()) {
        ShowMessage("Imaginea este prea mare! Incercati la o scala mai mica");
        return;
    }
    if (FSelectedFinding >= 0 && FSelectedFinding < static_cast<int>(FFindings.size())) {
        quillform::Drawing marked;
        marked.findings = {FFindings[FSelectedFinding]};
        QPainter painter(&picture);
        PaintFindings(painter, marked, layout, 0);
    }
    iShape->SetPicture(picture);
}

void TfDXFTest::About1Click() {
    if (!FAboutBox || !FReader)
        return;
    char version[30];
    FAboutBox->Version->setText(FReader->GetVersion(version));
    FAboutBox->exec();
}
