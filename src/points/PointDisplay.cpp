// SPDX-License-Identifier: GPL-3.0-or-later
#include "points/PointDisplay.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include "framework/PanelText.h"
#include "resources/Art.h"
#include "resources/Strings.h"

namespace {

using panel::kTitleBlue;
using panel::TextAt;

QFont PanelFont(const char* family, int points) {
    return panel::Font(family, points);
}

}  // namespace

PointRows LayOutPointRows(int firstTop, int bottom, int labelHeight) {
    PointRows rows;
    int y = firstTop;
    for (int i = 0; i < CPointDisplay::kRowCount; ++i) {
        rows.rowTops.push_back(y);
        y += 2 + labelHeight + 2;
        if (y > bottom - labelHeight) return rows;
    }
    rows.infoTop = y;
    return rows;
}

CPointDisplay::CPointDisplay(QWidget* parent) : QWidget(parent) {
    // The whole client area is painted every time.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CPointDisplay::ShowMapPoint(const QString& pointName, const QString& pointInfo,
                                 const QString& latText, const QString& lonText,
                                 int32_t elevation) {
    name = pointName;
    info = pointInfo;
    iconId = 0;
    latitudeText = latText;
    longitudeText = lonText;
    altitude = elevation;
    noPoint = 0;
    update();
}

void CPointDisplay::ShowUserPoint(const QString& pointName, const QString& pointInfo,
                                  int32_t pointIconId, const QString& latText,
                                  const QString& lonText, int32_t pointAltitude) {
    name = pointName;
    info = pointInfo;
    iconId = pointIconId;
    latitudeText = latText;
    longitudeText = lonText;
    altitude = pointAltitude;
    noPoint = 0;
    update();
}

void CPointDisplay::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    update();
}

void CPointDisplay::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // Right and bottom are exclusive, as the layout rules count them.
    const int left = 0, top = 0, right = width(), bottom = height();

    p.fillRect(rect(), Qt::white);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(left, top, right - left - 1, bottom - top - 1);
    if (top + 3 > bottom - 18) return;

    if (iconId != kNoIcon) {
        const QPixmap icon = art::UserPointIcon(iconId, 16);
        if (!icon.isNull()) p.drawPixmap(QRect(right - 19, top + 3, 16, 16), icon);
    }

    const QFont valueFont = PanelFont("arial", 8);
    const QFont labelFont = PanelFont("arial black", 8);
    const QFont titleFont = PanelFont("arial black", 10);

    p.setFont(titleFont);
    p.setPen(kTitleBlue);
    TextAt(p, left + 12, top + 3, QString::fromLatin1(str::PointPanelTitle));
    int y = top + 5 + p.fontMetrics().height();
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(left + 12, y, right - 13, y);  // the end point is not drawn

    p.setFont(labelFont);
    y += 4;
    const int x0 = left + 3;
    if (noPoint) {
        TextAt(p, x0, y, QString::fromLatin1(str::NoPointSelected));
        return;
    }

    const QString labels[kRowCount] = {
        QString::fromLatin1(str::DlgNameLabel),       QString::fromLatin1(str::PointDateLabel),
        QString::fromLatin1(str::PointLatitudeLabel), QString::fromLatin1(str::PointLongitudeLabel),
        QString::fromLatin1(str::PointAltitudeLabel),
    };
    const QString values[kRowCount] = {name, dateText, latitudeText, longitudeText,
                                       QString::number(altitude)};
    const QFontMetrics labelMetrics(labelFont, this);
    const PointRows rows = LayOutPointRows(y, bottom, labelMetrics.height());
    for (size_t i = 0; i < rows.rowTops.size(); ++i) {
        const int rowTop = rows.rowTops[i];
        p.setFont(labelFont);
        p.setPen(Qt::black);
        TextAt(p, x0, rowTop, labels[i]);
        p.setFont(valueFont);
        p.setPen(kTitleBlue);
        TextAt(p, x0 + labelMetrics.horizontalAdvance(labels[i]) + 2, rowTop + 2, values[i]);
    }
    if (!rows.infoTop) return;

    p.setFont(labelFont);
    p.setPen(Qt::black);
    TextAt(p, x0, *rows.infoTop, QString::fromLatin1(str::MapPointInfoLabel));
    const int infoTop = *rows.infoTop + labelMetrics.height() + 2;
    const QRect box(left + 3, infoTop, (right - 3) - (left + 3), (bottom - 3) - infoTop);
    if (box.isEmpty()) return;
    p.setFont(valueFont);
    p.setPen(kTitleBlue);
    p.setClipRect(box);
    QString text = info;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));  // edit boxes hand over CR LF
    p.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
}
