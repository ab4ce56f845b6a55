// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QSize>

#include "framework/RectL.h"

class QLineEdit;

// Types an exact placement for one map: its top-left corner on the surface
// and the size it is stretched to (any size, not only the image's own).
class CPlacementDialog : public QDialog {
    Q_OBJECT
public:
    // Largest coordinate or size accepted; keeps every edge inside 32 bits.
    static constexpr int kMaxValue = 1000000;

    CPlacementDialog(const RectL& placement, QSize imageSize, QWidget* parent = nullptr);

    // Showing fills the four fields; saving reads and checks them and
    // returns false (after telling the user) when one is not acceptable.
    bool Exchange(bool save);
    void accept() override;

    QLineEdit* LeftField() const { return fields[0]; }
    QLineEdit* TopField() const { return fields[1]; }
    QLineEdit* WidthField() const { return fields[2]; }
    QLineEdit* HeightField() const { return fields[3]; }

    // Changes only on OK.
    RectL placement;

private:
    QSize imageSize;
    QLineEdit* fields[4] = {};
};
