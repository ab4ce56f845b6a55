// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "magnifier/RadioPage.h"

// Magnifier page choosing the enlargement.
class CPPZoom : public CRadioPage {
    Q_OBJECT
public:
    explicit CPPZoom(int index = 0, QWidget* parent = nullptr);
};
