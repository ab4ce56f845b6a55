// SPDX-License-Identifier: GPL-3.0-or-later
#include "mapwright/PlacementDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "framework/DataExchange.h"
#include "mapwright/EditorStrings.h"

CPlacementDialog::CPlacementDialog(const RectL& placement, QSize imageSize, QWidget* parent)
    : QDialog(parent), placement(placement), imageSize(imageSize) {
    setWindowTitle(mwstr::PlacementTitle);
    const char* names[4] = {"left", "top", "width", "height"};
    const char* labels[4] = {mwstr::PlacementLeft, mwstr::PlacementTop, mwstr::PlacementWidth,
                             mwstr::PlacementHeight};
    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    for (int i = 0; i < 4; ++i) {
        auto* e = new QLineEdit(this);
        e->setObjectName(names[i]);
        e->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), e));
        e->setAlignment(Qt::AlignRight);
        e->setFixedWidth(90);
        fields[i] = e;
        form->addRow(labels[i], e);
    }

    auto* info = new QLabel(
        QString(mwstr::PlacementImageInfo).arg(imageSize.width()).arg(imageSize.height()), this);
    info->setEnabled(false);
    auto* natural = new QPushButton(mwstr::PlacementImageSize, this);
    natural->setObjectName("imageSize");
    natural->setEnabled(!imageSize.isEmpty());
    connect(natural, &QPushButton::clicked, this, [this] {
        WidthField()->setText(QString::number(this->imageSize.width()));
        HeightField()->setText(QString::number(this->imageSize.height()));
    });
    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(info, 1);
    sizeRow->addWidget(natural);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPlacementDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CPlacementDialog::reject);

    auto* top = new QVBoxLayout(this);
    top->addLayout(form);
    top->addLayout(sizeRow);
    top->addSpacing(6);
    top->addWidget(buttons);
    top->setSizeConstraint(QLayout::SetFixedSize);

    Exchange(false);
}

bool CPlacementDialog::Exchange(bool save) {
    int left = placement.left;
    int top = placement.top;
    int width = placement.Width();
    int height = placement.Height();
    DataExchange dx(save);
    dx.IntRange(fields[0], left, 0, kMaxValue);
    dx.IntRange(fields[1], top, 0, kMaxValue);
    dx.IntRange(fields[2], width, 1, kMaxValue);
    dx.IntRange(fields[3], height, 1, kMaxValue);
    if (!save) return true;
    if (!dx.Ok()) return false;
    placement = RectL{left, top, left + width, top + height};
    return true;
}

void CPlacementDialog::accept() {
    if (Exchange(true)) QDialog::accept();
}
