// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A compact JSON text built in order, so keys come out in the order written.
// Doubles use the shortest form that reads back to the same value.
class JsonWriter {
public:
    JsonWriter& BeginObject();
    JsonWriter& EndObject();
    JsonWriter& BeginArray();
    JsonWriter& EndArray();
    JsonWriter& Key(std::string_view key);

    JsonWriter& Int(int64_t v);
    // Non-finite values have no JSON form and are written as null.
    JsonWriter& Double(double v);
    JsonWriter& Bool(bool v);
    JsonWriter& String(const QString& v);
    JsonWriter& Null();

    const std::string& Text() const { return out; }

    static std::string Quoted(std::string_view utf8);
    static std::string ShortestDouble(double v);

private:
    void BeforeValue();

    std::string out;
    // One entry per open object or array: whether it has no member yet.
    std::vector<bool> empty;
    bool afterKey = false;
};
