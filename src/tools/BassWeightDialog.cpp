// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/BassWeightDialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "framework/DataExchange.h"
#include "resources/CommandIds.h"
#include "resources/Strings.h"
#include "tools/BassWeight.h"

namespace {
constexpr int kLengthId = 1064;
constexpr int kGirthId = 1065;
constexpr int kWeightId = 1066;
constexpr int kCalculateId = 1063;
constexpr int kCloseId = 1;

QLineEdit* InchesEdit(int id, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::number(id));
    // Inches as a tape reads them: digits with at most one decimal point
    // (18.5), no signs.
    e->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*\\.?[0-9]*"), e));
    e->setFixedWidth(70);
    e->setAlignment(Qt::AlignRight);
    return e;
}
}  // namespace

CBassWeightDialog::CBassWeightDialog(QWidget* parent)
    : QDialog(parent), weightText(str::BassWeightInitial) {
    setObjectName(QString::number(res::BassWeightDialog));
    setWindowTitle(str::BassWeightTitle);

    lengthEdit = InchesEdit(kLengthId, this);
    girthEdit = InchesEdit(kGirthId, this);
    weightLabel = new QLabel(this);
    weightLabel->setObjectName(QString::number(kWeightId));
    weightLabel->setFixedWidth(70);
    weightLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    weightLabel->setContentsMargins(0, 0, 4, 0);
    weightLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    form->addRow(str::BassLengthLabel, lengthEdit);
    form->addRow(str::BassGirthLabel, girthEdit);
    form->addRow(str::BassWeightLabel, weightLabel);

    auto* calculate = new QPushButton(str::BassCalculate, this);
    calculate->setObjectName(QString::number(kCalculateId));
    calculate->setAutoDefault(false);
    auto* close = new QPushButton(str::BassClose, this);
    close->setObjectName(QString::number(kCloseId));
    close->setDefault(true);
    connect(calculate, &QPushButton::clicked, this, &CBassWeightDialog::Calculate);
    // Close just ends the dialog: nothing typed is kept, so nothing is checked.
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(close);
    buttons->addWidget(calculate);
    buttons->addStretch();

    auto* top = new QHBoxLayout(this);
    top->addLayout(form);
    top->addSpacing(12);
    top->addLayout(buttons);
    top->setSizeConstraint(QLayout::SetFixedSize);

    Exchange(false);
}

bool CBassWeightDialog::Exchange(bool save) {
    DataExchange dx(save);
    dx.Double(girthEdit, girth);
    dx.Double(lengthEdit, length);
    dx.Text(weightLabel, weightText);
    return dx.Ok();
}

void CBassWeightDialog::Calculate() {
    // A refused field has already been reported; the figures it left behind
    // are still computed and shown, which also restores the field.
    Exchange(true);
    weightText = BassWeightText(length, girth);
    Exchange(false);
}
