// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <vector>

class QWidget;
class QLineEdit;
class QTextEdit;
class QPlainTextEdit;
class QComboBox;
class QCheckBox;
class QAbstractButton;
class QLabel;

// Moves values between a dialog's controls and its data, in the order the
// calls are made. Showing (save == false) fills the controls. Saving reads
// them back and validates: the first field that fails shows its message,
// takes the focus with its text selected, and stops the exchange, so the
// dialog can stay open. Fields after the failing one are not read.
class DataExchange {
public:
    explicit DataExchange(bool save) : saving(save) {}

    bool Saving() const { return saving; }
    bool Ok() const { return ok; }

    void Int(QLineEdit* edit, int& value);
    void IntRange(QLineEdit* edit, int& value, int min, int max);
    void Double(QLineEdit* edit, double& value);
    void Text(QLineEdit* edit, QString& value);
    void Text(QPlainTextEdit* edit, QString& value);
    void Text(QLabel* label, QString& value);
    void ComboIndex(QComboBox* combo, int& index);  // -1 when nothing is chosen
    void Check(QCheckBox* box, int& value);
    // A radio group in index order; -1 when none is checked.
    void Radio(const std::vector<QAbstractButton*>& group, int& index);

    // Parsers shared with callers that read a field on their own.
    static bool ParseInt(const QString& text, int& out);
    static bool ParseDouble(const QString& text, double& out);
    // A double as the dialogs show it: shortest form, up to 15 digits.
    static QString FormatDouble(double v);

private:
    void Refuse(QWidget* field, const QString& message);

    bool saving;
    bool ok = true;
};

// Finds a dialog's control by its numeric identifier (the object name).
template <typename T>
T* Control(QWidget* dialog, int id);

#include <QWidget>
template <typename T>
T* Control(QWidget* dialog, int id) {
    return dialog->findChild<T*>(QString::number(id));
}
