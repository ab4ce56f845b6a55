#pragma once

#include <QStringList>

class CTarnlightDoc;

// The subcommands of fnm. Each takes the arguments after its name and
// returns the process exit status.
namespace fnm {

enum Exit {
    kSuccess = 0,
    kFormatFault = 1,  // the file's bytes are not a location
    kFileFault = 2,    // a file could not be opened, read or written
    kUsage = 64,       // the command line itself is wrong
};

// Reads path into doc as the program's open does and gives the exit status
// the failure deserves.
int ReadLocation(CTarnlightDoc& doc, const QString& path);
// One line on stderr.
void Complain(const QString& text);
// Whether out is a name no location is written under (.qlt, .jpg, .bmp);
// complains when it is.
bool RefuseReadOnlyTarget(const QString& out);

int Info(const QStringList& args);
int Resave(const QStringList& args);
int Distance(const QStringList& args);

}  // namespace fnm
