// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;

// Estimates a bass's weight from its length and girth in inches. The
// result is only shown; nothing is kept after the dialog closes.
class CBassWeightDialog : public QDialog {
    Q_OBJECT
public:
    explicit CBassWeightDialog(QWidget* parent = nullptr);

    // Exchange order: girth, length, weight text. Reading stops at the first
    // field that is not a number.
    bool Exchange(bool save);
    // Reads the fields, computes the weight and shows everything again. A
    // bad field leaves the previous values, which are then shown again.
    void Calculate();

    double length = 0;
    double girth = 0;
    QString weightText;

private:
    QLineEdit* lengthEdit = nullptr;
    QLineEdit* girthEdit = nullptr;
    QLabel* weightLabel = nullptr;
};
