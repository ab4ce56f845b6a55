// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "geo/Calibration.h"

class QLineEdit;

// Numeric entry of both reference points: latitude and longitude as whole
// degrees, minutes and seconds, and the pixel position of each point.
class CCoordSetupDialog : public QDialog {
    Q_OBJECT
public:
    explicit CCoordSetupDialog(const Calibration& values, QWidget* parent = nullptr);

    // Showing splits the stored values into the sixteen fields; saving reads
    // them back, keeping the exact stored value of every angle and pixel the
    // user left alone. Returns false (after telling the user) on an empty
    // field.
    bool Exchange(bool save);
    void accept() override;

    // Only the eight reference values are used; they change only on OK.
    Calibration calibration;

private:
    QLineEdit* Field(int id) const;
};
