// SPDX-License-Identifier: GPL-3.0-or-later
#include "Commands.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <cmath>
#include <cstdio>
#include <string>

#include "GeorefCommands.h"
#include "LocationReport.h"
#include "document/TarnLocation.h"
#include "document/TarnlightDoc.h"
#include "geo/Coordinate.h"
#include "resources/Strings.h"

namespace fnm {
namespace {

void Print(FILE* stream, const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stream);
}

}  // namespace

void Complain(const QString& text) {
    Print(stderr, text.toLocal8Bit().toStdString() + "\n");
}

int UsageError(const Invocation& inv) {
    Complain(inv.usage);
    return kUsage;
}

bool ParseInvocation(const QStringList& args, const OptionSet& options, Invocation& out,
                     QString& error) {
    bool optionsEnded = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& word = args[i];
        if (!optionsEnded && word == "-h") {
            out.flags.insert("--help");  // the short form, as before the command
            continue;
        }
        if (optionsEnded || !word.startsWith("--")) {
            out.operands << word;
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        const qsizetype equals = word.indexOf('=');
        const QString name = equals < 0 ? word : word.left(equals);
        if (name == "--help" || options.flags.contains(name)) {
            if (equals >= 0) {
                error = QString(str::FnmUnknownOption).arg(out.command, word);
                return false;
            }
            if (out.flags.contains(name)) {
                error = QString(str::FnmRepeatedOption).arg(out.command, name);
                return false;
            }
            out.flags.insert(name);
            continue;
        }
        if (!options.valued.contains(name)) {
            error = QString(str::FnmUnknownOption).arg(out.command, name);
            return false;
        }
        if (out.values.contains(name)) {
            error = QString(str::FnmRepeatedOption).arg(out.command, name);
            return false;
        }
        if (equals >= 0) {
            out.values.insert(name, word.mid(equals + 1));
        } else if (i + 1 < args.size()) {
            // The next word is the value whatever it looks like ("--lat -5").
            out.values.insert(name, args[++i]);
        } else {
            error = QString(str::FnmMissingValue).arg(out.command, name);
            return false;
        }
    }
    return true;
}

bool ParseNumber(const Invocation& inv, const QString& text, const char* what, double min,
                 double max, double& out) {
    static const QRegularExpression decimal(
        QStringLiteral("^[+-]?([0-9]+(\\.[0-9]*)?|\\.[0-9]+)$"));
    bool ok = decimal.match(text).hasMatch();
    double v = ok ? text.toDouble(&ok) : 0.0;
    if (ok && std::isfinite(v) && v >= min && v <= max) {
        out = v;
        return true;
    }
    Complain(QString(str::FnmBadNumber)
                 .arg(inv.command, QString::fromLatin1(what), QString::number(min),
                      QString::number(max), text));
    return false;
}

// Messages (the program's own) have gone to stderr already through the
// silent prompts.
bool RefuseReadOnlyTarget(const QString& out) {
    // The program never writes a location under an image or "qlt" name.
    if (!CTarnlightDoc::IsReadOnlyForm(out)) return false;
    Complain(out + ": a location is not written under a .qlt name or a map image's name");
    return true;
}

int ReadLocation(CTarnlightDoc& doc, const QString& path) {
    if (doc.OnOpenDocument(path)) return kSuccess;
    switch (doc.LastArchiveError()) {
        case CArchive::Error::EndOfFile:
        case CArchive::Error::BadFormat:
        case CArchive::Error::BadClass:
        case CArchive::Error::BadSchema:
            return kFormatFault;
        default:
            return kFileFault;
    }
}

int Info(const Invocation& inv) {
    if (inv.operands.size() != 1) return UsageError(inv);
    const QString& file = inv.operands[0];
    CTarnLocation location;
    CTarnlightDoc doc;
    doc.SetLocation(&location);
    if (int status = ReadLocation(doc, file); status != kSuccess) return status;
    Print(stdout, inv.Has("--json")
                      ? LocationJson(location)
                      : LocationSummary(location, file) + GeoreferenceSummary(location, file));
    return kSuccess;
}

int Resave(const Invocation& inv) {
    if (inv.operands.size() != 2) return UsageError(inv);
    const QString& out = inv.operands[1];
    if (RefuseReadOnlyTarget(out)) return kFileFault;
    CTarnLocation location;
    CTarnlightDoc doc;
    doc.SetLocation(&location);
    if (int status = ReadLocation(doc, inv.operands[0]); status != kSuccess) return status;
    return doc.DoSave(out) ? kSuccess : kFileFault;
}

int Distance(const Invocation& inv) {
    if (inv.operands.size() != 4) return UsageError(inv);
    static const char* const kWhat[4] = {"LAT1", "LON1", "LAT2", "LON2"};
    double v[4];
    for (int i = 0; i < 4; ++i) {
        const double limit = i % 2 == 0 ? 90.0 : 180.0;
        if (!ParseNumber(inv, inv.operands[i], kWhat[i], -limit, limit, v[i]))
            return UsageError(inv);
    }
    CCoordinate a;
    CCoordinate b;
    a.latitude.FromDecimalDegrees(v[0]);
    a.longitude.FromDecimalDegrees(v[1]);
    b.latitude.FromDecimalDegrees(v[2]);
    b.longitude.FromDecimalDegrees(v[3]);
    std::printf("%.6f\n", a.DistanceTo(b));
    return kSuccess;
}

}  // namespace fnm
