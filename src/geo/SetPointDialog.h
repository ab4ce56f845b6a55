// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "geo/Calibration.h"
#include "geo/DmsFields.h"

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

    // After OK: the chosen point's latitude and longitude in decimal degrees.
    // An angle whose fields were left as shown keeps its exact stored value.
    double ChosenLatitude() const { return chosenLatitude; }
    double ChosenLongitude() const { return chosenLongitude; }

    // Point 2 is offered first once point 1 has a latitude.
    int selection = Point1;

private:
    void ShowPoint(int index);

    // Both points as stored and as shown; switching entries shows these again.
    DmsFields latitudes[2];
    DmsFields longitudes[2];
    double chosenLatitude = 0.0;
    double chosenLongitude = 0.0;

    QComboBox* choice = nullptr;
    QLineEdit* fields[6] = {};
};
