// SPDX-License-Identifier: GPL-3.0-or-later
#include "magnifier/PropMagn.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <iterator>

#include "framework/Prompts.h"
#include "magnifier/PPShape.h"
#include "magnifier/PPSize.h"
#include "magnifier/PPZoom.h"
#include "resources/Strings.h"

CPropMagn::CPropMagn(int sizeIndex, int zoomIndex, int shapeIndex, QWidget* parent)
    : QDialog(parent),
      sizePage(new CPPSize(sizeIndex)),
      zoomPage(new CPPZoom(zoomIndex)),
      shapePage(new CPPShape(shapeIndex)) {
    setWindowTitle(str::MagnSheetTitle);

    tabs = new QTabWidget(this);
    tabs->setUsesScrollButtons(false);
    tabs->addTab(sizePage, str::MagnPageSize);
    tabs->addTab(zoomPage, str::MagnPageZoom);
    tabs->addTab(shapePage, str::MagnPageShape);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("1");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("2");
    connect(buttons, &QDialogButtonBox::accepted, this, &CPropMagn::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CPropMagn::reject);

    auto* top = new QVBoxLayout(this);
    top->addWidget(tabs);
    top->addWidget(buttons);
    top->setSizeConstraint(QLayout::SetFixedSize);
}

int CPropMagn::SizeIndex(int size) {
    for (int i = 0; i < int(std::size(kSizes)); ++i)
        if (kSizes[i] == size) return i;
    return 0;
}

int CPropMagn::ZoomIndex(int zoom) {
    for (int i = 0; i < int(std::size(kZooms)); ++i)
        if (kZooms[i] == zoom) return i;
    return 1;
}

void CPropMagn::accept() {
    CRadioPage* pages[3] = {sizePage, zoomPage, shapePage};
    for (CRadioPage* page : pages)
        if (!page->Exchange(true)) {
            tabs->setCurrentWidget(page);
            return;
        }
    QDialog::accept();
}

bool RunMagnifierProperties(int& shape, int& size, int& zoom, QWidget* parent) {
    CPropMagn sheet(CPropMagn::SizeIndex(size), CPropMagn::ZoomIndex(zoom), shape, parent);
    if (Prompts::instance().runModal(sheet) != QDialog::Accepted) return false;
    int s = sheet.shapePage->index;
    if (s == 0 || s == 1) shape = s;
    int i = sheet.sizePage->index;
    if (i >= 0 && i < int(std::size(CPropMagn::kSizes))) size = CPropMagn::kSizes[i];
    int z = sheet.zoomPage->index;
    if (z >= 0 && z < int(std::size(CPropMagn::kZooms))) zoom = CPropMagn::kZooms[z];
    return true;
}
