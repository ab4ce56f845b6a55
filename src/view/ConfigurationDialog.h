// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;

// The view's everyday preferences. Values are edited in memory only; the
// view stores them when it closes.
class CConfigurationDialog : public QDialog {
    Q_OBJECT
public:
    CConfigurationDialog(int loadLastFile, int useCrossHair, int showXY, int movingMapIcon,
                         QWidget* parent = nullptr);

    bool Exchange(bool save);
    void accept() override;

    int loadLastFile;
    int useCrossHair;
    int showXY;
    // 0 red, 1 blue, 2 green; -1 when no entry is chosen.
    int movingMapIcon;

private:
    QCheckBox* loadLastBox = nullptr;
    QCheckBox* crossHairBox = nullptr;
    QCheckBox* showXYBox = nullptr;
    QComboBox* iconList = nullptr;
};
