#pragma once

#include <QDialog>

#include "geo/Calibration.h"
#include "geo/Coordinate.h"

class QComboBox;
class QLineEdit;

// Latitude and longitude for the reference point the user just clicked in
// Calibrate mode. The dialog offers both points; the caller stores the
// clicked pixel with whichever point is chosen.
class CSetPointDialog : public QDialog {
    Q_OBJECT
public:
    enum { Point1 = 0, Point2 = 1 };

    explicit CSetPointDialog(const Calibration& values, QWidget* parent = nullptr);

    bool Exchange(bool save);
    void accept() override;

    // The chosen point; on OK, Chosen() holds its six entered values.
    const CCoordinate& Chosen() const { return points[selection]; }

    // Point 2 is offered first once point 1 has a latitude.
    int selection = Point1;
    // Both points as whole degrees, minutes and seconds. Only the chosen
    // one is replaced on OK.
    CCoordinate points[2];

private:
    void ShowPoint(int index);

    QComboBox* choice = nullptr;
    QLineEdit* fields[6] = {};
};
