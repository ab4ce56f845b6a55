// SPDX-License-Identifier: GPL-3.0-or-later
#include "points/MapPointDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "framework/DataExchange.h"
#include "resources/CommandIds.h"
#include "resources/Strings.h"

namespace {
constexpr int kNameId = 1001;
constexpr int kInfoId = 1003;
constexpr int kTypeId = 1017;
constexpr int kElevationId = 1018;
// Latitude d/m/s, longitude d/m/s, then elevation.
constexpr int kNumberIds[7] = {1005, 1006, 1008, 1010, 1012, 1015, kElevationId};
enum { LatDeg, LatMin, LatSec, LonDeg, LonMin, LonSec, Elevation };

QLineEdit* DigitEdit(int id, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::number(id));
    e->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), e));
    e->setFixedWidth(48);
    e->setAlignment(Qt::AlignRight);
    return e;
}
}  // namespace

CMapPointDialog::CMapPointDialog(const MapPointValues& initial, QWidget* parent)
    : QDialog(parent), values(initial) {
    setObjectName(QString::number(res::MapPointDialog));
    setWindowTitle(str::MapPointTitle);

    nameEdit = new QLineEdit(this);
    nameEdit->setObjectName(QString::number(kNameId));

    // The box can be typed into, but only a chosen entry counts.
    typeBox = new QComboBox(this);
    typeBox->setObjectName(QString::number(kTypeId));
    typeBox->setEditable(true);
    typeBox->setInsertPolicy(QComboBox::NoInsert);
    typeBox->setCompleter(nullptr);
    for (const char* t : str::MapPointTypes) typeBox->addItem(t);

    for (int i = 0; i < 7; ++i) numberEdits[i] = DigitEdit(kNumberIds[i], this);

    infoEdit = new QPlainTextEdit(this);
    infoEdit->setObjectName(QString::number(kInfoId));
    infoEdit->setTabChangesFocus(true);
    infoEdit->setFixedHeight(90);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(8);
    auto addLabel = [&](const char* text, int row, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setBuddy(buddy);
        grid->addWidget(l, row, 0, Qt::AlignRight | Qt::AlignVCenter);
    };
    addLabel(str::DlgNameLabel, 0, nameEdit);
    grid->addWidget(nameEdit, 0, 1, 1, 4);
    addLabel(str::MapPointTypeLabel, 1, typeBox);
    grid->addWidget(typeBox, 1, 1, 1, 3);
    addLabel(str::DlgLatLabel, 2, numberEdits[LatDeg]);
    addLabel(str::DlgLonLabel, 3, numberEdits[LonDeg]);
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(numberEdits[LatDeg + i], 2, 1 + i);
        grid->addWidget(numberEdits[LonDeg + i], 3, 1 + i);
    }
    numberEdits[Elevation]->setToolTip(str::ElevationToolTip);
    addLabel(str::MapPointElevationLabel, 4, numberEdits[Elevation]);
    grid->addWidget(numberEdits[Elevation], 4, 1);
    auto* infoLabel = new QLabel(str::MapPointInfoLabel, this);
    infoLabel->setBuddy(infoEdit);
    grid->addWidget(infoLabel, 5, 0, Qt::AlignRight | Qt::AlignTop);
    grid->addWidget(infoEdit, 5, 1, 1, 4);
    grid->setColumnStretch(4, 1);

    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Vertical, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("1");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("2");
    connect(buttons, &QDialogButtonBox::accepted, this, &CMapPointDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CMapPointDialog::reject);

    auto* top = new QHBoxLayout(this);
    top->addLayout(grid, 1);
    top->addSpacing(8);
    top->addWidget(buttons, 0, Qt::AlignTop);
    setMinimumWidth(400);

    Exchange(false);
}

bool CMapPointDialog::Exchange(bool save) {
    DataExchange dx(save);
    dx.ComboIndex(typeBox, values.type);
    // Text typed into the box without picking an entry is no choice.
    if (save && values.type >= 0 && typeBox->currentText() != typeBox->itemText(values.type))
        values.type = -1;
    dx.Text(infoEdit, values.info);
    dx.Text(nameEdit, values.name);
    dx.Int(numberEdits[Elevation], values.elevation);
    dx.Int(numberEdits[LatDeg], values.latDeg);
    dx.IntRange(numberEdits[LatMin], values.latMin, 0, 59);
    dx.IntRange(numberEdits[LatSec], values.latSec, 0, 59);
    dx.Int(numberEdits[LonDeg], values.lonDeg);
    dx.IntRange(numberEdits[LonMin], values.lonMin, 0, 59);
    dx.IntRange(numberEdits[LonSec], values.lonSec, 0, 59);
    return dx.Ok();
}

void CMapPointDialog::accept() {
    if (Exchange(true)) QDialog::accept();
}
