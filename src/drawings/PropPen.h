// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class CPenPage;
class CPPPenFree;
class CPPPenLine;
class CPPPenRectEllipse;
class QTabWidget;

// The pen sheet: one page per kind of red-line drawing. The caller fills the
// pages from the drawing lists and, on OK, copies them back.
class CPropPen : public QDialog {
    Q_OBJECT
public:
    // The sheet owns the pages; null pages are made with the default pen.
    CPropPen(CPPPenLine* line, CPPPenFree* freeHand, CPPPenRectEllipse* rectEllipse,
             QWidget* parent = nullptr);
    explicit CPropPen(QWidget* parent = nullptr);

    // Checks the pages in order and stays on the first one that is refused.
    void accept() override;

    CPPPenLine* const linePage;
    CPPPenFree* const freeHandPage;
    CPPPenRectEllipse* const rectEllipsePage;

private:
    QTabWidget* tabs = nullptr;
};
