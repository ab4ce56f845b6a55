// SPDX-License-Identifier: GPL-3.0-or-later
#include "points/DeleteUserPointsDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>

#include "resources/CommandIds.h"
#include "resources/Strings.h"

namespace {
constexpr int kListId = 1000;
}

CDeleteUserPointsDialog::CDeleteUserPointsDialog(const QStringList& names, QWidget* parent)
    : QDialog(parent), names(names) {
    setObjectName(QString::number(res::DeleteUserPointsDialog));
    setWindowTitle(str::DeleteUserPointsTitle);

    list = new QListWidget(this);
    list->setObjectName(QString::number(kListId));
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setMinimumSize(200, 220);

    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Vertical, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("1");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("2");
    connect(buttons, &QDialogButtonBox::accepted, this, &CDeleteUserPointsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDeleteUserPointsDialog::reject);

    auto* top = new QHBoxLayout(this);
    top->addWidget(list, 1);
    top->addWidget(buttons, 0, Qt::AlignTop);

    Exchange(false);
}

bool CDeleteUserPointsDialog::Exchange(bool save) {
    if (save) {
        ticked.clear();
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->checkState() == Qt::Checked) ticked << list->item(i)->text();
        return true;
    }
    list->clear();
    for (const QString& n : names) {
        auto* item = new QListWidgetItem(n, list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    return true;
}

void CDeleteUserPointsDialog::accept() {
    Exchange(true);
    QDialog::accept();
}
