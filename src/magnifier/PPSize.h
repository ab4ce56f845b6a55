// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "magnifier/RadioPage.h"

// Magnifier page choosing the lens size in pixels.
class CPPSize : public CRadioPage {
    Q_OBJECT
public:
    explicit CPPSize(int index = 0, QWidget* parent = nullptr);
};
