// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QWidget>

// The advertising panel: the banner bitmap centred on white in a black frame.
class CAdPanel : public QWidget {
    Q_OBJECT
public:
    explicit CAdPanel(QWidget* parent = nullptr);

    // Where the 100 x 88 banner goes in a client area of the given size.
    static QPoint BannerOrigin(const QSize& client);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QPixmap banner;
};
