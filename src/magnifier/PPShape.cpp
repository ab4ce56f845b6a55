// SPDX-License-Identifier: GPL-3.0-or-later
#include "magnifier/PPShape.h"

#include "resources/Strings.h"

CPPShape::CPPShape(int index, QWidget* parent)
    : CRadioPage(206, {{418, str::MagnShapes[0]}, {419, str::MagnShapes[1]}}, index, parent) {}
