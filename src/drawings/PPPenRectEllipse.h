// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawings/PenPage.h"

// Pen page for rectangles and ellipses: width and colour of the pen, plus the list's reserved
// value, which is handed back untouched.
class CPPPenRectEllipse : public CPenPage {
    Q_OBJECT
public:
    explicit CPPPenRectEllipse(int32_t penWidth = 2, uint32_t penColor = 180, uint32_t reserved = 0,
                               QWidget* parent = nullptr);

    uint32_t reserved;
};
