// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawings/PenPage.h"

// Pen page for free-hand strokes: width and colour of the pen.
class CPPPenFree : public CPenPage {
    Q_OBJECT
public:
    explicit CPPPenFree(int32_t penWidth = 2, uint32_t penColor = 180, QWidget* parent = nullptr);
};
