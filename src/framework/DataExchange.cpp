// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/DataExchange.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "framework/Prompts.h"
#include "resources/Strings.h"

bool DataExchange::ParseInt(const QString& text, int& out) {
    QByteArray s = text.trimmed().toLatin1();
    if (s.isEmpty()) return false;
    errno = 0;
    char* end = nullptr;
    long v = std::strtol(s.constData(), &end, 10);
    if (end == s.constData() || *end != '\0' || errno == ERANGE || v < INT32_MIN || v > INT32_MAX)
        return false;
    out = static_cast<int>(v);
    return true;
}

bool DataExchange::ParseDouble(const QString& text, double& out) {
    QByteArray s = text.trimmed().toLatin1();
    if (s.isEmpty()) return false;
    errno = 0;
    char* end = nullptr;
    double v = std::strtod(s.constData(), &end);
    if (end == s.constData() || *end != '\0' || errno == ERANGE) return false;
    out = v;
    return true;
}

QString DataExchange::FormatDouble(double v) {
    return QString::number(v, 'g', 15);
}

void DataExchange::Refuse(QWidget* field, const QString& message) {
    ok = false;
    Prompts::instance().message(message, Prompts::Buttons::Ok, Prompts::Icon::Warning);
    if (field) {
        field->setFocus();
        if (auto* e = qobject_cast<QLineEdit*>(field)) e->selectAll();
    }
}

void DataExchange::Int(QLineEdit* edit, int& value) {
    IntRange(edit, value, INT32_MIN, INT32_MAX);
}

void DataExchange::IntRange(QLineEdit* edit, int& value, int min, int max) {
    if (!ok || !edit) return;
    if (!saving) {
        edit->setText(QString::number(value));
        return;
    }
    int v = 0;
    if (!ParseInt(edit->text(), v)) return Refuse(edit, str::EnterInteger);
    if (v < min || v > max)
        return Refuse(edit, QString(str::EnterIntegerBetween).arg(min).arg(max));
    value = v;
}

void DataExchange::Double(QLineEdit* edit, double& value) {
    if (!ok || !edit) return;
    if (!saving) {
        edit->setText(FormatDouble(value));
        return;
    }
    double v = 0;
    if (!ParseDouble(edit->text(), v)) return Refuse(edit, str::EnterNumber);
    value = v;
}

void DataExchange::Text(QLineEdit* edit, QString& value) {
    if (!ok || !edit) return;
    if (saving)
        value = edit->text();
    else
        edit->setText(value);
}

void DataExchange::Text(QPlainTextEdit* edit, QString& value) {
    if (!ok || !edit) return;
    if (saving)
        value = edit->toPlainText();
    else
        edit->setPlainText(value);
}

void DataExchange::Text(QLabel* label, QString& value) {
    if (!ok || !label) return;
    if (saving)
        value = label->text();
    else
        label->setText(value);
}

void DataExchange::ComboIndex(QComboBox* combo, int& index) {
    if (!ok || !combo) return;
    if (saving)
        index = combo->currentIndex();
    else
        combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

void DataExchange::Check(QCheckBox* box, int& value) {
    if (!ok || !box) return;
    if (saving)
        value = box->isChecked() ? 1 : 0;
    else
        box->setChecked(value != 0);
}

void DataExchange::Radio(const std::vector<QAbstractButton*>& group, int& index) {
    if (!ok) return;
    if (saving) {
        index = -1;
        for (size_t i = 0; i < group.size(); ++i)
            if (group[i] && group[i]->isChecked()) {
                index = static_cast<int>(i);
                break;
            }
        return;
    }
    for (size_t i = 0; i < group.size(); ++i)
        if (group[i]) group[i]->setChecked(static_cast<int>(i) == index);
}
