// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>
#include <QString>
#include <QWidget>

// Top of the "Sunset:" row below the rule at ruleY, or -1 when the panel is
// too short for it.
int SunsetRowTop(int ruleY, int bottom, int labelHeight);

// Content of the docked "Sun Display" panel: today's sunrise and sunset at
// the location, as texts the map view hands over.
class CSunDisplay : public QWidget {
    Q_OBJECT

public:
    static constexpr int kSunIcon = 5032;

    explicit CSunDisplay(QWidget* parent = nullptr);

    void SetTimes(const QString& rise, const QString& set);

    QSize sizeHint() const override { return {150, 100}; }

    QString sunriseText;
    QString sunsetText;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};
