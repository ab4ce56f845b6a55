// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <optional>
#include <vector>

// Where the Point Display's detail rows go. Each row advances by its label
// height plus four pixels, and the next row is drawn only while it starts
// at least one label height above the bottom edge; "Info:" follows only
// when all five rows fit.
struct PointRows {
    std::vector<int> rowTops;  // top of each row drawn, at most five
    std::optional<int> infoTop;
};
PointRows LayOutPointRows(int firstTop, int bottom, int labelHeight);

// Content of the docked "Point Display" panel: the details of the point the
// user last asked about. It keeps a copy, not the point, so later edits of
// the point show only when the point is shown again.
class CPointDisplay : public QWidget {
    Q_OBJECT

public:
    static constexpr int32_t kNoIcon = 400000;
    static constexpr int kRowCount = 5;

    explicit CPointDisplay(QWidget* parent = nullptr);

    void ShowMapPoint(const QString& pointName, const QString& pointInfo, const QString& latText,
                      const QString& lonText, int32_t elevation);
    // iconId is the point's icon, 5000 to 5031.
    void ShowUserPoint(const QString& pointName, const QString& pointInfo, int32_t pointIconId,
                       const QString& latText, const QString& lonText, int32_t pointAltitude);

    QSize sizeHint() const override { return {150, 50}; }

    QString name;
    QString dateText;  // nothing fills it yet: the row stays empty
    QString info;
    int32_t iconId = kNoIcon;  // 0 for a map point, which has no icon
    QString latitudeText;
    QString longitudeText;
    int32_t altitude = 0;
    int noPoint = 1;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};
