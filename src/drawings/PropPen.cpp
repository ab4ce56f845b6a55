// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawings/PropPen.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "drawings/PPPenFree.h"
#include "drawings/PPPenLine.h"
#include "drawings/PPPenRectEllipse.h"
#include "resources/Strings.h"

CPropPen::CPropPen(QWidget* parent) : CPropPen(nullptr, nullptr, nullptr, parent) {}

CPropPen::CPropPen(CPPPenLine* line, CPPPenFree* freeHand, CPPPenRectEllipse* rectEllipse,
                   QWidget* parent)
    : QDialog(parent),
      linePage(line ? line : new CPPPenLine),
      freeHandPage(freeHand ? freeHand : new CPPPenFree),
      rectEllipsePage(rectEllipse ? rectEllipse : new CPPPenRectEllipse) {
    setWindowTitle(str::PenSheetTitle);

    tabs = new QTabWidget(this);
    tabs->setUsesScrollButtons(false);  // all three titles stay readable
    tabs->addTab(linePage, str::PenPageLine);
    tabs->addTab(freeHandPage, str::PenPageFreeHand);
    tabs->addTab(rectEllipsePage, str::PenPageRectEllipse);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("1");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("2");
    connect(buttons, &QDialogButtonBox::accepted, this, &CPropPen::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CPropPen::reject);

    auto* top = new QVBoxLayout(this);
    top->addWidget(tabs);
    top->addWidget(buttons);
    top->setSizeConstraint(QLayout::SetFixedSize);
}

void CPropPen::accept() {
    CPenPage* pages[3] = {linePage, freeHandPage, rectEllipsePage};
    for (CPenPage* page : pages) {
        // Show the page first so the refused field can take the focus.
        tabs->setCurrentWidget(page);
        if (!page->Exchange(true)) return;
    }
    QDialog::accept();
}
