#include "geo/SetPointDialog.h"

#include <QComboBox>
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
#include "resources/CommandIds.h"
#include "resources/Strings.h"

namespace {

// Latitude d/m/s, then longitude d/m/s.
constexpr int kFieldIds[6] = {1030, 1031, 1032, 1026, 1027, 1029};
constexpr int kChoiceId = 1034;

int Truncate(double v) {
    if (!(v == v)) return 0;
    double t = std::trunc(v);
    if (t >= std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (t <= std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    return static_cast<int>(t);
}

// The angle as the fields show it: each part cut to a whole number.
CDegMinSec WholeParts(double decimalDegrees) {
    CDegMinSec a;
    a.FromDecimalDegrees(decimalDegrees);
    return CDegMinSec(Truncate(a.degrees), Truncate(a.minutes), Truncate(a.seconds));
}

CCoordinate Point(double lat, double lon) {
    CCoordinate c;
    c.latitude = WholeParts(lat);
    c.longitude = WholeParts(lon);
    return c;
}

}  // namespace

CSetPointDialog::CSetPointDialog(const Calibration& values, QWidget* parent) : QDialog(parent) {
    setObjectName(QString::number(res::SetPointDialog));
    setWindowTitle(str::SetPointTitle);
    points[Point1] = Point(values.lat1, values.lon1);
    points[Point2] = Point(values.lat2, values.lon2);
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
    int v[6] = {
        Truncate(points[index].latitude.degrees),  Truncate(points[index].latitude.minutes),
        Truncate(points[index].latitude.seconds),  Truncate(points[index].longitude.degrees),
        Truncate(points[index].longitude.minutes), Truncate(points[index].longitude.seconds)};
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
    int v[6] = {};
    DataExchange dx(true);
    for (int i = 0; i < 6; ++i) dx.Int(fields[i], v[i]);
    if (!dx.Ok()) return false;
    selection = index;
    points[index].latitude = CDegMinSec(v[0], v[1], v[2]);
    points[index].longitude = CDegMinSec(v[3], v[4], v[5]);
    return true;
}

void CSetPointDialog::accept() {
    if (Exchange(true)) QDialog::accept();
}
