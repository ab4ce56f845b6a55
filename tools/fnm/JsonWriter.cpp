// SPDX-License-Identifier: GPL-3.0-or-later
#include "JsonWriter.h"

#include <charconv>
#include <cmath>
#include <cstdio>

void JsonWriter::BeforeValue() {
    if (afterKey) {
        afterKey = false;
        return;
    }
    if (!empty.empty()) {
        if (!empty.back()) out += ',';
        empty.back() = false;
    }
}

JsonWriter& JsonWriter::BeginObject() {
    BeforeValue();
    out += '{';
    empty.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::EndObject() {
    out += '}';
    empty.pop_back();
    return *this;
}

JsonWriter& JsonWriter::BeginArray() {
    BeforeValue();
    out += '[';
    empty.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::EndArray() {
    out += ']';
    empty.pop_back();
    return *this;
}

JsonWriter& JsonWriter::Key(std::string_view key) {
    BeforeValue();
    out += Quoted(key);
    out += ':';
    afterKey = true;
    return *this;
}

JsonWriter& JsonWriter::Int(int64_t v) {
    BeforeValue();
    out += std::to_string(v);
    return *this;
}

JsonWriter& JsonWriter::Double(double v) {
    BeforeValue();
    out += ShortestDouble(v);
    return *this;
}

JsonWriter& JsonWriter::Bool(bool v) {
    BeforeValue();
    out += v ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::String(const QString& v) {
    BeforeValue();
    const QByteArray utf8 = v.toUtf8();
    out += Quoted(std::string_view(utf8.constData(), size_t(utf8.size())));
    return *this;
}

std::string JsonWriter::ShortestDouble(double v) {
    if (!std::isfinite(v)) return "null";
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
    return std::string(buffer, result.ptr);
}

std::string JsonWriter::Quoted(std::string_view utf8) {
    std::string s;
    s.reserve(utf8.size() + 2);
    s += '"';
    for (char c : utf8) {
        switch (c) {
            case '"':
                s += "\\\"";
                break;
            case '\\':
                s += "\\\\";
                break;
            case '\n':
                s += "\\n";
                break;
            case '\r':
                s += "\\r";
                break;
            case '\t':
                s += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escape[8];
                    std::snprintf(escape, sizeof escape, "\\u%04x", unsigned(c));
                    s += escape;
                } else {
                    s += c;
                }
        }
    }
    s += '"';
    return s;
}

JsonWriter& JsonWriter::Null() {
    BeforeValue();
    out += "null";
    return *this;
}
