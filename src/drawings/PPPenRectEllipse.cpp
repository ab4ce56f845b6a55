// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawings/PPPenRectEllipse.h"

CPPPenRectEllipse::CPPPenRectEllipse(int32_t penWidth, uint32_t penColor, uint32_t reserved,
                                     QWidget* parent)
    : CPenPage(211, penWidth, penColor, parent), reserved(reserved) {}
