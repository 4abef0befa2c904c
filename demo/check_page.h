// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/finding.h"

#include <QWidget>

#include <functional>
#include <vector>

class QListWidget;

// The "Check" page: the findings of the preflight check, one line each;
// selecting one tells the window, which marks it on the Drawing page.
class TCheckPage : public QWidget {
public:
    explicit TCheckPage(QWidget* parent = nullptr);

    // Lists the findings (none selected).
    void Show(const std::vector<quillform::Finding>& findings);

    QListWidget* lbFindings;
    // Called with the selected finding's index, or -1.
    std::function<void(int)> OnSelect;
};

// "error openChain on layer CUT at (0, 0): ..."
QString FindingLine(const quillform::Finding& finding);
