#include "geo/CoordSetupDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <cmath>
#include <limits>

#include "framework/DataExchange.h"
#include "geo/DegMinSec.h"
#include "resources/CommandIds.h"
#include "resources/Strings.h"

namespace {

// Per point: latitude d/m/s, longitude d/m/s, X, Y.
constexpr int kPoint1Ids[8] = {1030, 1031, 1032, 1026, 1027, 1029, 1033, 1035};
constexpr int kPoint2Ids[8] = {1054, 1056, 1058, 1037, 1051, 1053, 1060, 1062};

int Truncate(double v) {
    // Whole part toward zero; values beyond int range cannot come from the
    // fields, so clamping them is only a guard.
    if (!(v == v)) return 0;
    double t = std::trunc(v);
    if (t >= std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (t <= std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    return static_cast<int>(t);
}

struct PointInts {
    int lat[3] = {};
    int lon[3] = {};
    int x = 0;
    int y = 0;
};

PointInts Split(double lat, double lon, double x, double y) {
    PointInts p;
    CDegMinSec a;
    a.FromDecimalDegrees(lat);
    p.lat[0] = Truncate(a.degrees);
    p.lat[1] = Truncate(a.minutes);
    p.lat[2] = Truncate(a.seconds);
    a.FromDecimalDegrees(lon);
    p.lon[0] = Truncate(a.degrees);
    p.lon[1] = Truncate(a.minutes);
    p.lon[2] = Truncate(a.seconds);
    p.x = Truncate(x);
    p.y = Truncate(y);
    return p;
}

double Degrees(const int (&dms)[3]) {
    return CDegMinSec(dms[0], dms[1], dms[2]).ToDecimalDegrees();
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
    PointInts p[2] = {Split(calibration.lat1, calibration.lon1, calibration.x1, calibration.y1),
                      Split(calibration.lat2, calibration.lon2, calibration.x2, calibration.y2)};
    const int* ids[2] = {kPoint1Ids, kPoint2Ids};
    DataExchange dx(save);
    for (int k = 0; k < 2; ++k) {
        for (int i = 0; i < 3; ++i) dx.Int(Field(ids[k][i]), p[k].lat[i]);
        for (int i = 0; i < 3; ++i) dx.Int(Field(ids[k][3 + i]), p[k].lon[i]);
        dx.Int(Field(ids[k][6]), p[k].x);
        dx.Int(Field(ids[k][7]), p[k].y);
    }
    if (!dx.Ok()) return false;
    if (save) {
        // No range check: 60 minutes simply count as one more degree.
        calibration.lat1 = Degrees(p[0].lat);
        calibration.lon1 = Degrees(p[0].lon);
        calibration.x1 = p[0].x;
        calibration.y1 = p[0].y;
        calibration.lat2 = Degrees(p[1].lat);
        calibration.lon2 = Degrees(p[1].lon);
        calibration.x2 = p[1].x;
        calibration.y2 = p[1].y;
    }
    return true;
}

void CCoordSetupDialog::accept() {
    if (Exchange(true)) QDialog::accept();
}
