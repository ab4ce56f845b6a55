// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>

class CTarnlightDoc;

// The subcommands of fnm. Each takes its parsed command line and returns the
// process exit status.
namespace fnm {

enum Exit {
    kSuccess = 0,
    kFormatFault = 1,  // the file's bytes are not a location (or not GPX)
    kFileFault = 2,    // a file could not be opened, read or written
    kUsage = 64,       // the command line itself is wrong
};

// One subcommand's command line, split by the options it knows. Every word
// is its own: only a word starting with "--" that the subcommand knows is an
// option, anything else (a name like "-reverse", a number like "-5") is an
// operand, and after "--" every word is an operand.
struct Invocation {
    QString command;
    QString usage;  // "usage: fnm NAME ARGUMENTS"
    QStringList operands;
    QSet<QString> flags;
    QMap<QString, QString> values;

    bool Has(const QString& flag) const { return flags.contains(flag); }
    std::optional<QString> Value(const QString& option) const {
        const auto it = values.find(option);
        if (it == values.end()) return std::nullopt;
        return *it;
    }
};

// The options one subcommand takes: flags stand alone, valued options take
// the next word (or "--name=value"). "--help" is every subcommand's.
struct OptionSet {
    QStringList flags;
    QStringList valued;
};

// Splits args (the words after the subcommand's name); false with the
// reason in error for an unknown, repeated or incomplete option.
bool ParseInvocation(const QStringList& args, const OptionSet& options, Invocation& out,
                     QString& error);

// Reads path into doc as the program's open does and gives the exit status
// the failure deserves.
int ReadLocation(CTarnlightDoc& doc, const QString& path);
// One line on stderr.
void Complain(const QString& text);
// Complains with the subcommand's usage line; returns kUsage.
int UsageError(const Invocation& inv);
// Whether out is a name no location is written under (.qlt, .jpg, .bmp);
// complains when it is.
bool RefuseReadOnlyTarget(const QString& out);
// text as a finite decimal number (digits with an optional sign and point,
// nothing else: no "nan", "inf", "0x10" or exponent) from min to max; on
// anything else complains naming what and the range.
bool ParseNumber(const Invocation& inv, const QString& text, const char* what, double min,
                 double max, double& out);

int Info(const Invocation& inv);
int Resave(const Invocation& inv);
int Distance(const Invocation& inv);

}  // namespace fnm
