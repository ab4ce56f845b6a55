// SPDX-License-Identifier: GPL-3.0-or-later
#include "geo/SetPointDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "framework/DataExchange.h"
#include "resources/CommandIds.h"
#include "resources/Strings.h"

namespace {

// Latitude d/m/s, then longitude d/m/s.
constexpr int kFieldIds[6] = {1030, 1031, 1032, 1026, 1027, 1029};
constexpr int kChoiceId = 1034;

}  // namespace

CSetPointDialog::CSetPointDialog(const Calibration& values, QWidget* parent) : QDialog(parent) {
    setObjectName(QString::number(res::SetPointDialog));
    setWindowTitle(str::SetPointTitle);
    latitudes[Point1] = DmsFields(values.lat1);
    longitudes[Point1] = DmsFields(values.lon1);
    latitudes[Point2] = DmsFields(values.lat2);
    longitudes[Point2] = DmsFields(values.lon2);
    selection = values.lat1 != 0 ? Point2 : Point1;

    choice = new QComboBox(this);
    choice->setObjectName(QString::number(kChoiceId));
    choice->addItems({str::Point1, str::Point2});

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->addWidget(new QLabel(str::SetPointChoiceLabel, this), 0, 0);
    grid->addWidget(choice, 0, 1, 1, 3);
    const char* labels[2] = {str::DlgLatLabel, str::DlgLonLabel};
    for (int row = 0; row < 2; ++row) {
        grid->addWidget(new QLabel(labels[row], this), row + 1, 0);
        for (int i = 0; i < 3; ++i) {
            auto* e = new QLineEdit(this);
            e->setObjectName(QString::number(kFieldIds[row * 3 + i]));
            e->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), e));
            e->setFixedWidth(48);
            e->setAlignment(Qt::AlignRight);
            fields[row * 3 + i] = e;
            grid->addWidget(e, row + 1, i + 1);
        }
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("1");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("2");
    connect(buttons, &QDialogButtonBox::accepted, this, &CSetPointDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSetPointDialog::reject);

    auto* top = new QVBoxLayout(this);
    top->addLayout(grid);
    top->addSpacing(6);
    top->addWidget(buttons);
    top->setSizeConstraint(QLayout::SetFixedSize);

    Exchange(false);
    // Picking the other point shows its stored values; whatever was typed
    // for the previous one is dropped.
    connect(choice, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index == Point1 || index == Point2) ShowPoint(index);
    });
}

void CSetPointDialog::ShowPoint(int index) {
    int v[6];
    for (int i = 0; i < 3; ++i) {
        v[i] = latitudes[index].parts[i];
        v[3 + i] = longitudes[index].parts[i];
    }
    DataExchange dx(false);
    for (int i = 0; i < 6; ++i) dx.Int(fields[i], v[i]);
}

bool CSetPointDialog::Exchange(bool save) {
    if (!save) {
        choice->setCurrentIndex(selection);
        ShowPoint(selection);
        return true;
    }
    int index = choice->currentIndex();
    if (index != Point1 && index != Point2) return false;
    int lat[3] = {};
    int lon[3] = {};
    DataExchange dx(true);
    for (int i = 0; i < 3; ++i) dx.Int(fields[i], lat[i]);
    for (int i = 0; i < 3; ++i) dx.Int(fields[3 + i], lon[i]);
    if (!dx.Ok()) return false;
    selection = index;
    chosenLatitude = latitudes[index].Read(lat);
    chosenLongitude = longitudes[index].Read(lon);
    return true;
}

void CSetPointDialog::accept() {
    if (Exchange(true)) QDialog::accept();
}
