// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;
class QListWidget;
class QPlainTextEdit;

// What the user point dialog edits, in the caller's hands throughout: OK
// writes the icon, name, info and altitude before the numbers are checked,
// so those stay applied even when a bad number keeps the dialog open and
// the user then cancels.
struct UserPointValues {
    int iconId = 5030;  // 5000..5031
    QString name;
    QString info;
    int altitude = 0;
    int latDeg = 0, latMin = 0, latSec = 0;
    int lonDeg = 0, lonMin = 0, lonSec = 0;
};

class CUserPointDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kIconCount = 32;
    static constexpr int kFirstIconId = 5000;

    // `values` must outlive the dialog; it is both the input and the output.
    explicit CUserPointDialog(UserPointValues& values, QWidget* parent = nullptr);

    bool Exchange(bool save);
    void accept() override;

    // The whole number the text starts with, 0 when there is none.
    static int LeadingInt(const QString& text);

    UserPointValues& values;

private:
    QListWidget* iconList = nullptr;
    QLineEdit* nameEdit = nullptr;
    QLineEdit* numberEdits[6] = {};  // lat d/m/s, lon d/m/s
    QLineEdit* altitudeEdit = nullptr;
    QPlainTextEdit* infoEdit = nullptr;
};
