// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FishingCalendar.h"

#include <QBuffer>
#include <QComboBox>
#include <QDateEdit>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QTableWidget>
#include <QTextDocument>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "framework/AtomicFile.h"
#include "framework/Prompts.h"
#include "framework/Settings.h"
#include "resources/Strings.h"
#include "tools/AlmanacText.h"

namespace {

QString ZoneKey(const QString& path) {
    return QStringLiteral("%1/%2").arg(QLatin1String(setting::AlmanacZones),
                                       QString::fromLatin1(QUrl::toPercentEncoding(path)));
}

// The month view's columns: the CSV's date, periods, phase and rating.
const int kMonthColumns[] = {0, 9, 10, 11, 12, 13, 15};

}  // namespace

CFishingCalendar::CFishingCalendar(QWidget* parent) : QWidget(parent) {
    setObjectName("CFishingCalendar");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);

    auto* dateRow = new QHBoxLayout;
    previous = new QToolButton(this);
    previous->setObjectName("PreviousDay");
    previous->setArrowType(Qt::LeftArrow);
    previous->setToolTip(QStringLiteral("Previous day"));
    dateEdit = new QDateEdit(this);
    dateEdit->setObjectName("AlmanacDate");
    dateEdit->setCalendarPopup(true);
    dateEdit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    dateEdit->setDateRange(QDate(almanac::kFirstYear, 1, 1), QDate(almanac::kLastYear, 12, 31));
    next = new QToolButton(this);
    next->setObjectName("NextDay");
    next->setArrowType(Qt::RightArrow);
    next->setToolTip(QStringLiteral("Next day"));
    today = new QPushButton(str::AlmanacToday, this);
    today->setObjectName("AlmanacToday");
    dateRow->addWidget(previous);
    dateRow->addWidget(dateEdit, 1);
    dateRow->addWidget(next);
    dateRow->addWidget(today);
    layout->addLayout(dateRow);

    auto* zoneRow = new QHBoxLayout;
    zoneRow->addWidget(new QLabel(str::AlmanacZoneLabel, this));
    zoneBox = new QComboBox(this);
    zoneBox->setObjectName("AlmanacZone");
    zoneBox->addItem(
        QString(str::AlmanacMachineZone).arg(QString::fromUtf8(QTimeZone::systemTimeZoneId())),
        QString());
    for (const QByteArray& id : QTimeZone::availableTimeZoneIds())
        zoneBox->addItem(QString::fromUtf8(id), QString::fromUtf8(id));
    zoneRow->addWidget(zoneBox, 1);
    layout->addLayout(zoneRow);

    dayText = new QLabel(this);
    dayText->setObjectName("AlmanacDay");
    dayText->setTextFormat(Qt::PlainText);
    dayText->setWordWrap(true);
    dayText->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(dayText);

    table = new QTableWidget(this);
    table->setObjectName("AlmanacMonth");
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    layout->addWidget(table, 1);

    auto* buttons = new QHBoxLayout;
    exportButton = new QPushButton(str::AlmanacExportCsv, this);
    exportButton->setObjectName("AlmanacExport");
    printButton = new QPushButton(str::AlmanacPrint, this);
    printButton->setObjectName("AlmanacPrint");
    buttons->addWidget(exportButton);
    buttons->addWidget(printButton);
    buttons->addStretch(1);
    layout->addLayout(buttons);

    connect(previous, &QToolButton::clicked, this, [this] { SetDate(date.addDays(-1)); });
    connect(next, &QToolButton::clicked, this, [this] { SetDate(date.addDays(1)); });
    connect(today, &QPushButton::clicked, this, [this] { SetDate(QDate::currentDate()); });
    connect(dateEdit, &QDateEdit::dateChanged, this, [this](QDate d) { SetDate(d); });
    connect(zoneBox, &QComboBox::currentIndexChanged, this, &CFishingCalendar::ZoneChosen);
    connect(exportButton, &QPushButton::clicked, this, [this] { ExportCsv(); });
    connect(printButton, &QPushButton::clicked, this, [this] { PrintMonth(); });
    connect(table, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        if (row >= 0 && row < static_cast<int>(month.size())) SetDate(month[row].date);
    });

    date = QDate::currentDate();
    Refresh();
}

QTimeZone CFishingCalendar::Zone() const {
    const QString id = zoneBox->currentData().toString();
    const QTimeZone zone(id.toUtf8());
    return id.isEmpty() || !zone.isValid() ? QTimeZone::systemTimeZone() : zone;
}

void CFishingCalendar::SetPlace(bool k, double la, double lo, const QString& locationPath) {
    const bool same = k == known && la == lat && lo == lonWest && locationPath == path;
    known = k;
    lat = la;
    lonWest = lo;
    path = locationPath;
    const QString zone =
        path.isEmpty() ? QString() : SettingsStore::instance().Value(ZoneKey(path)).toString();
    const int index = zone.isEmpty() ? 0 : zoneBox->findData(zone);
    if (same && zoneBox->currentIndex() == std::max(0, index)) return;
    {
        // The location's own choice, not a new one to keep.
        const QSignalBlocker block(zoneBox);
        zoneBox->setCurrentIndex(std::max(0, index));
    }
    Refresh();
}

void CFishingCalendar::SetDate(QDate d) {
    if (!d.isValid() || !almanac::InRange(d) || d == date) return;
    date = d;
    Refresh();
}

void CFishingCalendar::ZoneChosen(int index) {
    // Kept for the location only: an untitled one has no path to key it by.
    if (!path.isEmpty()) {
        SettingsStore& s = SettingsStore::instance();
        if (index <= 0)
            s.Remove(ZoneKey(path));
        else
            s.SetValue(ZoneKey(path), zoneBox->itemData(index).toString());
    }
    Refresh();
}

void CFishingCalendar::Refresh() {
    {
        const QSignalBlocker block(dateEdit);
        dateEdit->setDate(date);
    }
    previous->setEnabled(almanac::InRange(date.addDays(-1)));
    next->setEnabled(almanac::InRange(date.addDays(1)));
    exportButton->setEnabled(known);
    printButton->setEnabled(known);
    table->clear();
    if (!known) {
        month.clear();
        dayText->setText(str::AlmanacNoLocation);
        table->setRowCount(0);
        table->setColumnCount(0);
        return;
    }
    const QTimeZone zone = Zone();
    const QDate first(date.year(), date.month(), 1);
    // Stepping within the month needs no new figures.
    const bool sameMonth = !month.empty() && month.front().date == first &&
                           month.front().zone == zone && monthLat == lat && monthLonWest == lonWest;
    if (!sameMonth) {
        month = almanac::ComputeDays(lat, -lonWest, first, date.daysInMonth(), zone);
        monthLat = lat;
        monthLonWest = lonWest;
    }

    const almanac::Day& day = month[date.day() - 1];
    QStringList lines{QStringLiteral("%1 (%2)").arg(QLocale().toString(date, QLocale::LongFormat),
                                                    QString::fromUtf8(zone.id()))};
    for (const auto& [label, value] : almanac::DayLines(day))
        lines << (label.isEmpty() ? value : label + QStringLiteral(": ") + value);
    dayText->setText(lines.join(QLatin1Char('\n')));

    const QStringList header = almanac::CsvHeader();
    table->setColumnCount(static_cast<int>(std::size(kMonthColumns)));
    table->setRowCount(static_cast<int>(month.size()));
    QStringList titles;
    for (int c : kMonthColumns) titles << header[c];
    table->setHorizontalHeaderLabels(titles);
    for (int r = 0; r < static_cast<int>(month.size()); ++r) {
        const QStringList row = almanac::CsvRow(month[r]);
        for (int c = 0; c < static_cast<int>(std::size(kMonthColumns)); ++c)
            table->setItem(r, c, new QTableWidgetItem(row[kMonthColumns[c]]));
    }
    table->selectRow(date.day() - 1);
    table->resizeColumnsToContents();
}

bool CFishingCalendar::ExportCsv() {
    if (!known || month.empty()) return false;
    const QString base =
        path.isEmpty() ? QStringLiteral("calendar") : QFileInfo(path).completeBaseName();
    const QString proposed = QStringLiteral("%1 %2.csv").arg(base, date.toString("yyyy-MM"));
    const std::optional<QString> name =
        Prompts::instance().saveFileName(proposed, str::AlmanacCsvFilter);
    if (!name) return false;
    const CAtomicFile::Status status = CAtomicFile::Write(*name, almanac::Csv(month));
    if (status != CAtomicFile::Status::Ok) {
        Prompts::instance().message(CAtomicFile::Message(status, *name));
        return false;
    }
    return true;
}

QString CFishingCalendar::MonthHtml() const {
    QString html = QStringLiteral(
                       "<h2>%1</h2><p>%2</p><table border=\"1\" cellspacing=\"0\" "
                       "cellpadding=\"3\"><tr>")
                       .arg(QString(str::AlmanacMonthTitle)
                                .arg(QLocale().toString(date, QStringLiteral("MMMM yyyy")),
                                     QFileInfo(path).completeBaseName().toHtmlEscaped()),
                            QString::fromUtf8(Zone().id()).toHtmlEscaped());
    const QStringList header = almanac::CsvHeader();
    // Sunrise, sunset, the moon's rising and setting, the periods, the phase
    // and the rating fit a page's width.
    static const int kPrinted[] = {0, 1, 2, 5, 6, 9, 10, 11, 12, 13, 15};
    for (int c : kPrinted) html += QStringLiteral("<th>%1</th>").arg(header[c].toHtmlEscaped());
    html += QStringLiteral("</tr>");
    for (const almanac::Day& d : month) {
        const QStringList row = almanac::CsvRow(d);
        html += QStringLiteral("<tr>");
        for (int c : kPrinted) html += QStringLiteral("<td>%1</td>").arg(row[c].toHtmlEscaped());
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table>");
}

bool CFishingCalendar::PrintMonth() {
    if (!known || month.empty()) return false;
    if (!Prompts::instance().printDialog(printer)) return false;
    QTextDocument doc;
    doc.setHtml(MonthHtml());
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        const QString target = printer.outputFileName();
        // Without any printer Qt falls back to a PDF writer with no file.
        if (target.isEmpty()) {
            Prompts::instance().message(str::PrintFailed);
            return false;
        }
        // Made in memory and saved whole, so a full disk leaves no half PDF.
        QByteArray bytes;
        {
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            QPdfWriter pdf(&buffer);
            pdf.setPageLayout(printer.pageLayout());
            doc.print(&pdf);
        }
        const CAtomicFile::Status status = CAtomicFile::Write(target, bytes);
        if (status != CAtomicFile::Status::Ok) {
            Prompts::instance().message(CAtomicFile::Message(status, target));
            return false;
        }
        return true;
    }
    doc.print(&printer);
    return true;
}
