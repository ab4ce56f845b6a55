#pragma once

#include <QStringList>

// The subcommands of fnm. Each takes the arguments after its name and
// returns the process exit status.
namespace fnm {

enum Exit {
    kSuccess = 0,
    kFormatFault = 1,  // the file's bytes are not a location
    kFileFault = 2,    // a file could not be opened, read or written
    kUsage = 64,       // the command line itself is wrong
};

int Info(const QStringList& args);
int Resave(const QStringList& args);
int Distance(const QStringList& args);

}  // namespace fnm
