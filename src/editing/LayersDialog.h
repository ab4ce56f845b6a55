// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QListWidget;

// Which kinds of content the map shows. The caller copies the location's
// layer flags in and, on OK, back out.
class CLayersDialog : public QDialog {
    Q_OBJECT
public:
    explicit CLayersDialog(int showMaps = 1, int showMapPoints = 1, int showUserPoints = 1,
                           int showRedLines = 1, QWidget* parent = nullptr);

    bool Exchange(bool save);
    void accept() override;

    // 1 shown, 0 hidden.
    int showMaps;
    int showMapPoints;
    int showUserPoints;
    int showRedLines;

private:
    QListWidget* list = nullptr;
};
