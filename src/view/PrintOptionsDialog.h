// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QRect>

#include "view/PrintJob.h"

class CAreaPicker;
class CTarnLocation;
class QComboBox;
class QDialogButtonBox;
class QDoubleSpinBox;
class QLabel;
class QRadioButton;
class QSpinBox;

// The page of the print flow that says what to print and how: the visible
// part, the whole location or a rectangle; fitted to the page(s) or at a
// scale; the orientation; the pages' overlap. Shown before the printer's
// own dialog and before the file dialog of an export.
class CPrintOptionsDialog : public QDialog {
    Q_OBJECT
public:
    // extent bounds the rectangle's fields (logical map pixels). With a
    // location, the page shows it shrunk, and a rectangle dragged on it
    // becomes the area to print.
    CPrintOptionsDialog(const PrintOptions& initial, const QSize& extent, QWidget* parent = nullptr,
                        CTarnLocation* location = nullptr);

    // What the controls say; the scale field falls back to fitting when its
    // text is not a scale (accept() refuses such a text).
    PrintOptions Options() const;

    // The scales offered in the scale field's list.
    static QStringList ScaleChoices();

    void accept() override;

private:
    void UpdateEnabled();
    void ShowRectangle();

    QComboBox* area = nullptr;
    QSpinBox* rectX = nullptr;
    QSpinBox* rectY = nullptr;
    QSpinBox* rectW = nullptr;
    QSpinBox* rectH = nullptr;
    QComboBox* scale = nullptr;
    QSpinBox* pages = nullptr;
    QDoubleSpinBox* overlap = nullptr;
    QRadioButton* portrait = nullptr;
    QRadioButton* landscape = nullptr;
    CAreaPicker* picker = nullptr;
};
