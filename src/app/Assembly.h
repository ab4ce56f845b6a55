// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/TarnlightApp.h"

// The program's names for the platform: the settings key, the version and
// the name window titles end with. Needs no display.
void SetApplicationIdentity();

// Builds the program as a user starts it: its identity and icon, the frame
// with its view, document, command table and customization, then the
// command line's work. main() and the tests that drive the whole program
// both start it here. False ends the run at once.
bool AssembleApplication(CTarnlightApp& app, const StartupOptions& options);
