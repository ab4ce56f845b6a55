// SPDX-License-Identifier: GPL-3.0-or-later
#include "magnifier/PPZoom.h"

#include "resources/Strings.h"

CPPZoom::CPPZoom(int index, QWidget* parent)
    : CRadioPage(208,
                 {{418, str::MagnZooms[0]},
                  {419, str::MagnZooms[1]},
                  {420, str::MagnZooms[2]},
                  {421, str::MagnZooms[3]},
                  {1014, str::MagnZooms[4]}},
                 index, parent) {}
