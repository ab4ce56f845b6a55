// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class CUserInfoPoint;

// The plain window of a user info point: its 16 x 16 icon with the name as
// tool tip. Used until the view installs a richer window factory.
class CUserInfoPointIconWindow : public QWidget {
    Q_OBJECT
public:
    CUserInfoPointIconWindow(CUserInfoPoint& point, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CUserInfoPoint& point;
};
