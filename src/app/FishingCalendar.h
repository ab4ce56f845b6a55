// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QPrinter>
#include <QTimeZone>
#include <QWidget>
#include <vector>

#include "tools/Almanac.h"

class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QTableWidget;
class QToolButton;

// The docked "Fishing Calendar": sun and moon for a chosen day at the
// location's first reference point, and the month around it with its
// solunar periods, to print or export as CSV. Times are in the machine's
// zone or one chosen for the location, kept in the settings by its path.
class CFishingCalendar : public QWidget {
    Q_OBJECT
public:
    explicit CFishingCalendar(QWidget* parent = nullptr);

    // latitude north and longitude west positive, as the calibration holds
    // them; `known` false when the location has no reference point yet.
    void SetPlace(bool known, double lat, double lonWest, const QString& locationPath);
    void SetDate(QDate date);
    QDate Date() const { return date; }
    QTimeZone Zone() const;

    // Asks for a file name and writes the month shown; false when cancelled
    // or when the file could not be written (the user has been told).
    bool ExportCsv();
    // The month shown, through the print dialog.
    bool PrintMonth();
    QPrinter& Printer() { return printer; }

    QSize sizeHint() const override { return {320, 480}; }

private:
    void Refresh();
    void ZoneChosen(int index);
    QString MonthHtml() const;

    bool known = false;
    double lat = 0;
    double lonWest = 0;
    QString path;
    QDate date;
    std::vector<almanac::Day> month;
    double monthLat = 0;  // where `month` was computed for
    double monthLonWest = 0;

    QToolButton* previous = nullptr;
    QToolButton* next = nullptr;
    QDateEdit* dateEdit = nullptr;
    QPushButton* today = nullptr;
    QComboBox* zoneBox = nullptr;
    QLabel* dayText = nullptr;
    QTableWidget* table = nullptr;
    QPushButton* exportButton = nullptr;
    QPushButton* printButton = nullptr;
    QPrinter printer;
};
