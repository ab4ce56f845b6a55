// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/LayersDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>

#include "resources/CommandIds.h"
#include "resources/Strings.h"

namespace {
constexpr int kListId = 1000;
}

CLayersDialog::CLayersDialog(int showMaps, int showMapPoints, int showUserPoints, int showRedLines,
                             QWidget* parent)
    : QDialog(parent),
      showMaps(showMaps),
      showMapPoints(showMapPoints),
      showUserPoints(showUserPoints),
      showRedLines(showRedLines) {
    setObjectName(QString::number(res::LayersDialog));
    setWindowTitle(str::LayersTitle);

    list = new QListWidget(this);
    list->setObjectName(QString::number(kListId));
    // Items are only ticked, never selected.
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setFocusPolicy(Qt::StrongFocus);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    for (const char* name :
         {str::LayerMaps, str::LayerMapPoints, str::LayerUserPoints, str::LayerRedLines}) {
        auto* item = new QListWidgetItem(name, list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    list->setFixedSize(130, 180);

    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Vertical, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("1");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("2");
    connect(buttons, &QDialogButtonBox::accepted, this, &CLayersDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CLayersDialog::reject);

    auto* top = new QHBoxLayout(this);
    top->addWidget(list);
    top->addWidget(buttons, 0, Qt::AlignTop);
    top->setSizeConstraint(QLayout::SetFixedSize);

    Exchange(false);
}

bool CLayersDialog::Exchange(bool save) {
    int* flags[4] = {&showMaps, &showMapPoints, &showUserPoints, &showRedLines};
    for (int i = 0; i < 4; ++i) {
        QListWidgetItem* item = list->item(i);
        if (save)
            *flags[i] = item->checkState() == Qt::Checked ? 1 : 0;
        else
            item->setCheckState(*flags[i] ? Qt::Checked : Qt::Unchecked);
    }
    return true;
}

void CLayersDialog::accept() {
    Exchange(true);
    QDialog::accept();
}
