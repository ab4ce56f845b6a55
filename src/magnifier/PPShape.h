// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "magnifier/RadioPage.h"

// Magnifier page choosing the lens shape.
class CPPShape : public CRadioPage {
    Q_OBJECT
public:
    explicit CPPShape(int index = 0, QWidget* parent = nullptr);
};
