// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QStringList>

class QListWidget;

// Lets the user tick the user points to remove, by name. Names may repeat;
// each ticked entry stands for one point.
class CDeleteUserPointsDialog : public QDialog {
    Q_OBJECT
public:
    explicit CDeleteUserPointsDialog(const QStringList& names, QWidget* parent = nullptr);

    bool Exchange(bool save);
    void accept() override;

    QStringList names;   // in list order
    QStringList ticked;  // after OK: the ticked names, in list order

private:
    QListWidget* list = nullptr;
};
