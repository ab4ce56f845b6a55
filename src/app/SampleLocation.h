// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The bundled sample location, opened when the program starts with no file
// and none is reopened. Looked for first beside the programs' folder as
// installed (the build tree mirrors that layout), then in the system's data
// folders; empty when neither has it.
QString FindSampleLocation(const QString& programDir, const QStringList& dataDirs);
// The same for this program: its own folder and the XDG data folders.
QString SampleLocation();
