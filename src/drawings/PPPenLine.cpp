// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawings/PPPenLine.h"

CPPPenLine::CPPPenLine(int32_t penWidth, uint32_t penColor, uint32_t reserved, QWidget* parent)
    : CPenPage(209, penWidth, penColor, parent), reserved(reserved) {}
