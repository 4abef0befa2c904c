// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "about_box.h"
#include "main_window.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

// quillform-demo [FILE.dxf]: the example window; a file given on the command
// line is loaded once the window shows, as if picked with "Load".
int main(int argc, char** argv) {
    QApplication application(argc, argv);
    application.setWindowIcon(QIcon(ProgramPixmap(64, 64)));
    TAboutBox aboutBox;
    TfDXFTest window(&aboutBox);
    window.show();
    const QStringList arguments = application.arguments();
    if (arguments.size() > 1)
        QTimer::singleShot(0, &window,
                           [&window, file = arguments.at(1)] { window.LoadFile(file); });
    return application.exec();
}
