// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AdPanel.h"

#include <QPainter>

#include "resources/Art.h"
#include "resources/CommandIds.h"

CAdPanel::CAdPanel(QWidget* parent) : QWidget(parent), banner(art::Bitmap(res::BannerBitmap)) {}

QPoint CAdPanel::BannerOrigin(const QSize& client) {
    // Narrower or lower than the banner: pinned 2 pixels in; otherwise centred.
    int x = client.width() < 100 ? 2 : client.width() / 2 - 50;
    int y = client.height() < 88 ? 2 : client.height() / 2 - 44;
    return QPoint(x, y);
}

void CAdPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QRect r = rect();
    p.fillRect(r, Qt::white);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    p.drawPixmap(BannerOrigin(r.size()), banner);
}
