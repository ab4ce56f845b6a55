// SPDX-License-Identifier: GPL-3.0-or-later
#include "magnifier/PPSize.h"

#include "resources/Strings.h"

CPPSize::CPPSize(int index, QWidget* parent)
    : CRadioPage(207,
                 {{418, str::MagnSizes[0]},
                  {419, str::MagnSizes[1]},
                  {420, str::MagnSizes[2]},
                  {421, str::MagnSizes[3]},
                  {1014, str::MagnSizes[4]},
                  {1016, str::MagnSizes[5]}},
                 index, parent) {}
