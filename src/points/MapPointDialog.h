// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;

// What the map point dialog edits. The position is entered as whole
// degrees, minutes and seconds; the caller turns it into pixels.
struct MapPointValues {
    QString name;
    int type = 0;  // index into the type list; -1 when none is chosen
    int elevation = 0;
    QString info;
    int latDeg = 0, latMin = 0, latSec = 0;
    int lonDeg = 0, lonMin = 0, lonSec = 0;
};

// Adds or edits a map point. Minutes and seconds must lie in 0..59; degrees
// and elevation only have to be whole numbers.
class CMapPointDialog : public QDialog {
    Q_OBJECT
public:
    explicit CMapPointDialog(const MapPointValues& initial = {}, QWidget* parent = nullptr);

    bool Exchange(bool save);
    void accept() override;

    MapPointValues values;

private:
    QLineEdit* nameEdit = nullptr;
    QComboBox* typeBox = nullptr;
    QLineEdit* numberEdits[7] = {};  // lat d/m/s, lon d/m/s, elevation
    QPlainTextEdit* infoEdit = nullptr;
};
