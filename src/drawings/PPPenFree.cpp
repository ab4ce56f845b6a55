// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawings/PPPenFree.h"

CPPPenFree::CPPPenFree(int32_t penWidth, uint32_t penColor, QWidget* parent)
    : CPenPage(210, penWidth, penColor, parent) {}
