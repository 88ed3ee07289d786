// A small JSON writer for the command-line tool: members come out in the order they are
// written, strings are escaped and encoded as UTF-8, and float32 values are printed with
// the shortest text that reads back as the same float32.
#pragma once

#include <QString>
#include <QStringView>

#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zaz {
struct WeatherState;
}

namespace zaz::tool {

class JsonWriter {
public:
    // Appends to out. With indent > 0 the output is spread over lines, indent blanks per
    // level; with 0 it is one compact line (JSON Lines).
    explicit JsonWriter(std::string &out, int indent = 0) : out_(out), indent_(indent) {}

    JsonWriter &beginObject();
    JsonWriter &endObject();
    JsonWriter &beginArray();
    JsonWriter &endArray();
    // The name of the next member (plain ASCII names).
    JsonWriter &key(std::string_view name);

    JsonWriter &string(QStringView text);
    // Text already in UTF-8 (names written in the code).
    JsonWriter &Utf8(std::string_view text);
    JsonWriter &integer(long long value);
    JsonWriter &real(float value);
    // A double with a fixed number of decimals (durations).
    JsonWriter &fixed(double value, int decimals);
    // Flags as the numbers 0 and 1.
    JsonWriter &flag(bool value) { return integer(value ? 1 : 0); }

    // Key and value in one call.
    JsonWriter &member(std::string_view name, QStringView text) { return key(name).string(text); }
    JsonWriter &member(std::string_view name, const QString &text) { return key(name).string(text); }
    // A list of texts as an array of strings.
    JsonWriter &member(std::string_view name, const QStringList &texts);
    template <std::integral Integer>
    JsonWriter &member(std::string_view name, Integer value) { return key(name).integer(static_cast<long long>(value)); }
    JsonWriter &member(std::string_view name, float value) { return key(name).real(value); }

    // True when every object and array opened has been closed.
    bool complete() const { return open_.empty(); }

private:
    void beforeValue();
    void newLine();
    void close(char bracket);

    struct Level {
        bool empty = true;
    };
    std::string &out_;
    int indent_ = 0;
    std::vector<Level> open_;
    bool afterKey_ = false;
};

// Appends text to out as a quoted JSON string: quote, backslash and control characters
// escaped, everything else as UTF-8; an unpaired surrogate becomes U+FFFD.
void AppendJsonString(std::string &out, QStringView text);

// The same for UTF-8 text: quote, backslash and control bytes escaped, the rest as is.
void AppendJsonString(std::string &out, std::string_view utf8);

// Appends the shortest decimal text that reads back as the same float32 ("null" for NaN
// and infinities, which JSON cannot hold).
void AppendFloat(std::string &out, float value);

// The decoded weather (every field of the current record but the server settings) and the
// QNH, altimeter and wind-unit texts beside it, as members of the object being written.
void WriteWeatherMembers(JsonWriter &json, const WeatherState &weather);

} // namespace zaz::tool
