// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/SunDisplay.h"

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

int SunsetRowTop(int ruleY, int bottom, int labelHeight) {
    const int y2 = ruleY + labelHeight + 8;
    return y2 <= bottom - labelHeight ? y2 : -1;
}

CSunDisplay::CSunDisplay(QWidget* parent) : QWidget(parent) {
    // The whole client area is painted every time.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CSunDisplay::SetTimes(const QString& rise, const QString& set) {
    sunriseText = rise;
    sunsetText = set;
    update();
}

void CSunDisplay::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    update();
}

void CSunDisplay::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // Right and bottom are exclusive, as the layout rules count them.
    const int left = 0, top = 0, right = width(), bottom = height();

    p.fillRect(rect(), Qt::white);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(left, top, right - left - 1, bottom - top - 1);
    if (bottom - 18 < top + 3) return;

    const QFont titleFont = PanelFont("arial black", 10);
    const QFont labelFont = PanelFont("arial black", 8);
    const QFont valueFont = PanelFont("arial", 8);
    const int x0 = left + 3;

    const QPixmap icon = art::UserPointIcon(kSunIcon, 16);
    if (!icon.isNull()) p.drawPixmap(QRect(right - 19, top + 3, 16, 16), icon);

    p.setFont(titleFont);
    p.setPen(kTitleBlue);
    TextAt(p, left + 12, top + 3, QString::fromLatin1(str::SunPanelTitle));
    const int y = top + 5 + p.fontMetrics().height();
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(left + 12, y, right - 13, y);  // the end point is not drawn

    const QFontMetrics labelMetrics(labelFont, this);
    const QString rise = QString::fromLatin1(str::SunriseLabel);
    p.setFont(labelFont);
    p.setPen(Qt::black);
    TextAt(p, x0, y + 4, rise);
    p.setFont(valueFont);
    p.setPen(kTitleBlue);
    TextAt(p, x0 + labelMetrics.horizontalAdvance(rise) + 2, y + 6, sunriseText);

    const int y2 = SunsetRowTop(y, bottom, labelMetrics.height());
    if (y2 < 0) return;
    const QString set = QString::fromLatin1(str::SunsetLabel);
    p.setFont(labelFont);
    p.setPen(Qt::black);
    TextAt(p, x0, y2, set);
    p.setFont(valueFont);
    p.setPen(kTitleBlue);
    TextAt(p, x0 + labelMetrics.horizontalAdvance(set) + 2, y2 + 2, sunsetText);
}
