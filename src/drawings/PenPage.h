// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <cstdint>

class QLabel;
class QLineEdit;
class QSpinBox;

// What the three pen pages share: a width of 1 to 5 pixels with an up-down
// next to it, and a colour picked from the colour dialog and shown as a
// swatch.
class CPenPage : public QWidget {
    Q_OBJECT
public:
    // Refuses a width that is not an integer from 1 to 5, with the usual
    // message, and leaves the focus on it.
    bool Exchange(bool save);
    // Asks for a colour. Whatever the dialog reports is taken, so Cancel
    // (which reports black) makes the pen black.
    void OnPenColor();

    int32_t penWidth;
    uint32_t penColor;  // 0x00BBGGRR

protected:
    CPenPage(int pageId, int32_t penWidth, uint32_t penColor, QWidget* parent);

private:
    void ShowColor();

    QLineEdit* widthEdit = nullptr;
    QSpinBox* widthSpin = nullptr;
    QLabel* swatch = nullptr;
};
