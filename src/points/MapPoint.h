// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPoint>
#include <QString>
#include <cstdint>

#include "framework/Archive.h"

class QPainter;

// A named, typed spot on the map, drawn as a small filled square. position
// is the square's centre in the location's logical pixels, the space the
// calibration converts.
class CMapPoint : public CObject {
public:
    enum Type { Water = 0, Land = 1, Rock = 2, City = 3, Landmark = 4 };

    static const ClassInfo classInfo;
    static CObject* Create() { return new CMapPoint; }
    const ClassInfo& GetRuntimeClass() const override { return classInfo; }

    CMapPoint() = default;
    CMapPoint(int32_t x, int32_t y, int32_t type, int32_t elevation, const QString& name,
              const QString& info);

    // Record: position, type, elevation, name, info.
    void Serialize(CArchive& ar) override;

    // An 11 x 11 square outlined in black and filled with the type's colour.
    // Always 1: a black one-pixel pen can always be made.
    int Draw(QPainter& p) const;
    // Left and top edges of the square inside, right and bottom outside.
    bool Contains(int32_t x, int32_t y) const;

    // Fill colour of a type; any value outside the table is drawn green.
    static QColor TypeColor(int32_t type);

    QPoint position;
    int32_t type = 0;
    int32_t elevation = 0;
    QString name;
    QString info;
    int32_t halfSize = 5;
};
