// SPDX-License-Identifier: GPL-3.0-or-later
#include "geo/CoordSetupDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "framework/DataExchange.h"
#include "geo/DmsFields.h"
#include "resources/CommandIds.h"
#include "resources/Strings.h"

namespace {

// Per point: latitude d/m/s, longitude d/m/s, X, Y.
constexpr int kPoint1Ids[8] = {1030, 1031, 1032, 1026, 1027, 1029, 1033, 1035};
constexpr int kPoint2Ids[8] = {1054, 1056, 1058, 1037, 1051, 1053, 1060, 1062};

// One reference point as the fields show it.
struct PointFields {
    DmsFields lat, lon;
    double x = 0.0, y = 0.0;  // exact stored pixels
};

PointFields Show(double lat, double lon, double x, double y) {
    return PointFields{DmsFields(lat), DmsFields(lon), x, y};
}

// A pixel field left as shown gives back the stored value, fraction and all.
double ReadPixel(double stored, int typed) {
    return typed == TruncateToInt(stored) ? stored : typed;
}

QLineEdit* DigitEdit(int id, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::number(id));
    e->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), e));
    e->setFixedWidth(48);
    e->setAlignment(Qt::AlignRight);
    return e;
}

}  // namespace

CCoordSetupDialog::CCoordSetupDialog(const Calibration& values, QWidget* parent)
    : QDialog(parent), calibration(values) {
    setObjectName(QString::number(res::CoordSetupDialog));
    setWindowTitle(str::CoordSetupTitle);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(6);
    // Columns: point name | Lat: d m s | Lon: d m s | X: x | Y: y
    const int* ids[2] = {kPoint1Ids, kPoint2Ids};
    const char* names[2] = {str::Point1, str::Point2};
    for (int row = 0; row < 2; ++row) {
        int col = 0;
        auto* title = new QLabel(names[row], this);
        grid->addWidget(title, row, col++);
        grid->addWidget(new QLabel(str::DlgLatLabel, this), row, col++, Qt::AlignRight);
        for (int i = 0; i < 3; ++i) grid->addWidget(DigitEdit(ids[row][i], this), row, col++);
        grid->addWidget(new QLabel(str::DlgLonLabel, this), row, col++, Qt::AlignRight);
        for (int i = 3; i < 6; ++i) grid->addWidget(DigitEdit(ids[row][i], this), row, col++);
        grid->addWidget(new QLabel(str::CoordSetupXLabel, this), row, col++, Qt::AlignRight);
        grid->addWidget(DigitEdit(ids[row][6], this), row, col++);
        grid->addWidget(new QLabel(str::CoordSetupYLabel, this), row, col++, Qt::AlignRight);
        grid->addWidget(DigitEdit(ids[row][7], this), row, col++);
    }
    grid->setColumnMinimumWidth(0, 56);
    for (int c : {4, 8, 10}) grid->setColumnMinimumWidth(c, 30);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("1");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("2");
    connect(buttons, &QDialogButtonBox::accepted, this, &CCoordSetupDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CCoordSetupDialog::reject);

    auto* top = new QVBoxLayout(this);
    top->addLayout(grid);
    top->addSpacing(6);
    top->addWidget(buttons);
    top->setSizeConstraint(QLayout::SetFixedSize);

    Exchange(false);
}

QLineEdit* CCoordSetupDialog::Field(int id) const {
    return Control<QLineEdit>(const_cast<CCoordSetupDialog*>(this), id);
}

bool CCoordSetupDialog::Exchange(bool save) {
    const PointFields shown[2] = {
        Show(calibration.lat1, calibration.lon1, calibration.x1, calibration.y1),
        Show(calibration.lat2, calibration.lon2, calibration.x2, calibration.y2)};
    struct Typed {
        int lat[3], lon[3], x, y;
    } typed[2];
    const int* ids[2] = {kPoint1Ids, kPoint2Ids};
    DataExchange dx(save);
    for (int k = 0; k < 2; ++k) {
        Typed& t = typed[k];
        for (int i = 0; i < 3; ++i) t.lat[i] = shown[k].lat.parts[i];
        for (int i = 0; i < 3; ++i) t.lon[i] = shown[k].lon.parts[i];
        t.x = TruncateToInt(shown[k].x);
        t.y = TruncateToInt(shown[k].y);
        for (int i = 0; i < 3; ++i) dx.Int(Field(ids[k][i]), t.lat[i]);
        for (int i = 0; i < 3; ++i) dx.Int(Field(ids[k][3 + i]), t.lon[i]);
        dx.Int(Field(ids[k][6]), t.x);
        dx.Int(Field(ids[k][7]), t.y);
    }
    if (!dx.Ok()) return false;
    if (save) {
        // No range check: 60 minutes simply count as one more degree.
        calibration.lat1 = shown[0].lat.Read(typed[0].lat);
        calibration.lon1 = shown[0].lon.Read(typed[0].lon);
        calibration.x1 = ReadPixel(shown[0].x, typed[0].x);
        calibration.y1 = ReadPixel(shown[0].y, typed[0].y);
        calibration.lat2 = shown[1].lat.Read(typed[1].lat);
        calibration.lon2 = shown[1].lon.Read(typed[1].lon);
        calibration.x2 = ReadPixel(shown[1].x, typed[1].x);
        calibration.y2 = ReadPixel(shown[1].y, typed[1].y);
    }
    return true;
}

void CCoordSetupDialog::accept() {
    if (Exchange(true)) QDialog::accept();
}
