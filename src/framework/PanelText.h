// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QString>

// Text helpers shared by the docked panels that paint themselves.
namespace panel {

inline const QColor kTitleBlue(0, 0, 180);

// Places text by the top of its cell, the way the panels lay out their rows
// (Qt's drawText places it by the baseline).
inline void TextAt(QPainter& p, int x, int top, const QString& text) {
    p.drawText(QPoint(x, top + p.fontMetrics().ascent()), text);
}

// A font asked for by family name and point size; the font system
// substitutes what it has.
inline QFont Font(const char* family, int points) {
    QFont font(QString::fromLatin1(family));
    font.setPointSize(points);
    return font;
}

}  // namespace panel
