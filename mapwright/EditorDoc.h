// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QUndoStack>

#include "document/TarnLocation.h"
#include "document/TarnlightDoc.h"
#include "mapwright/LocationEditor.h"

class CMapLocation;

// The editor's document: the program's own location document (one reader
// and one writer of the format) with the location it edits, the undo
// history and the choice of how map paths are written. The modified flag
// follows the undo history: undoing back to the saved state clears it.
class CEditorDoc : public CTarnlightDoc {
    Q_OBJECT
public:
    explicit CEditorDoc(QObject* parent = nullptr);

    CTarnLocation& Loc() { return location; }
    CLocationEditor& Editor() { return editor; }
    QUndoStack& Undo() { return undo; }

    bool OnNewDocument() override;
    bool OnOpenDocument(const QString& path) override;
    bool OnSaveDocument(const QString& path) override;

    // Open command: offers to save changes, then asks for a location, an
    // older "qlt" location or an image. True when a file was read.
    bool OpenWithDialog();

    // The name written for an entry into a location file in locationFolder:
    // relative to that folder when asked; otherwise as the user picked it,
    // with a name relative to some other folder rewritten to reach the same
    // file from this one.
    static QString StoredName(const CMapLocation& entry, const QString& locationFolder,
                              bool relative);

    // Store paths relative to the location file.
    bool relativePaths = false;

signals:
    // A different location is now being edited (New, Open): selections and
    // the view's zoom start over.
    void locationReplaced();

protected:
    QString WrittenName(const CMapLocation& entry, const QString& folder) const override;

private:
    // Forgets the history without letting that touch the modified flag.
    void StartHistoryAfresh();

    CTarnLocation location;
    QUndoStack undo;
    CLocationEditor editor;
    bool clearingHistory = false;
};
