#include "Json.h"

#include "weather/WeatherState.h"

#include <QStringList>

#include <charconv>
#include <cmath>

namespace zaz::tool {

namespace {

void AppendUtf8(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

} // namespace

void AppendJsonString(std::string &out, QStringView text)
{
    static const char hex[] = "0123456789abcdef";
    out += '"';
    const char16_t *p = text.utf16();
    const char16_t *end = p + text.size();
    while (p < end) {
        const char16_t u = *p++;
        switch (u) {
        case u'"': out += "\\\""; continue;
        case u'\\': out += "\\\\"; continue;
        case u'\n': out += "\\n"; continue;
        case u'\r': out += "\\r"; continue;
        case u'\t': out += "\\t"; continue;
        case u'\b': out += "\\b"; continue;
        case u'\f': out += "\\f"; continue;
        default: break;
        }
        if (u < 0x20) {
            out += "\\u00";
            out += hex[u >> 4];
            out += hex[u & 0xF];
        } else if (u < 0x80) {
            out += char(u);
        } else if (u >= 0xD800 && u <= 0xDBFF && p < end && *p >= 0xDC00 && *p <= 0xDFFF) {
            const char32_t c = 0x10000 + ((char32_t(u) - 0xD800) << 10) + (char32_t(*p) - 0xDC00);
            ++p;
            AppendUtf8(out, c);
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            AppendUtf8(out, 0xFFFD);
        } else {
            AppendUtf8(out, u);
        }
    }
    out += '"';
}

void AppendJsonString(std::string &out, std::string_view utf8)
{
    static const char hex[] = "0123456789abcdef";
    out += '"';
    for (const char ch : utf8) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += ch;
        } else if (c < 0x20) {
            out += "\\u00";
            out += hex[c >> 4];
            out += hex[c & 0xF];
        } else {
            out += ch;
        }
    }
    out += '"';
}

void AppendFloat(std::string &out, float value)
{
    if (!std::isfinite(value)) {
        out += "null";
        return;
    }
    char buffer[32];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, r.ptr);
}

void JsonWriter::newLine()
{
    if (indent_ <= 0)
        return;
    out_ += '\n';
    out_.append(open_.size() * std::size_t(indent_), ' ');
}

void JsonWriter::beforeValue()
{
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (open_.empty())
        return;
    Level &level = open_.back();
    if (!level.empty)
        out_ += ',';
    level.empty = false;
    newLine();
}

JsonWriter &JsonWriter::beginObject()
{
    beforeValue();
    out_ += '{';
    open_.push_back({});
    return *this;
}

JsonWriter &JsonWriter::beginArray()
{
    beforeValue();
    out_ += '[';
    open_.push_back({});
    return *this;
}

void JsonWriter::close(char bracket)
{
    if (open_.empty())
        return;
    const bool empty = open_.back().empty;
    open_.pop_back();
    if (!empty)
        newLine();
    out_ += bracket;
}

JsonWriter &JsonWriter::endObject()
{
    close('}');
    return *this;
}

JsonWriter &JsonWriter::member(std::string_view name, const QStringList &texts)
{
    key(name).beginArray();
    for (const QString &text : texts)
        string(text);
    return endArray();
}

JsonWriter &JsonWriter::endArray()
{
    close(']');
    return *this;
}

JsonWriter &JsonWriter::key(std::string_view name)
{
    beforeValue();
    out_ += '"';
    out_ += name;
    out_ += indent_ > 0 ? "\": " : "\":";
    afterKey_ = true;
    return *this;
}

JsonWriter &JsonWriter::string(QStringView text)
{
    beforeValue();
    AppendJsonString(out_, text);
    return *this;
}

JsonWriter &JsonWriter::Utf8(std::string_view text)
{
    beforeValue();
    AppendJsonString(out_, text);
    return *this;
}

JsonWriter &JsonWriter::integer(long long value)
{
    beforeValue();
    char buffer[24];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
    out_.append(buffer, r.ptr);
    return *this;
}

JsonWriter &JsonWriter::real(float value)
{
    beforeValue();
    AppendFloat(out_, value);
    return *this;
}

JsonWriter &JsonWriter::fixed(double value, int decimals)
{
    beforeValue();
    if (!std::isfinite(value)) {
        out_ += "null";
        return *this;
    }
    char buffer[64];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (r.ec != std::errc())
        out_ += "null";
    else
        out_.append(buffer, r.ptr);
    return *this;
}

namespace {

void WriteWind(JsonWriter &json, const t_wind &w)
{
    json.beginObject()
        .member("altitude", w.altitude)
        .member("temperature", w.temperature)
        .member("direction", w.direction)
        .member("sectorStart", w.sectorStart)
        .member("sectorEnd", w.sectorEnd)
        .member("speed", w.speed)
        .member("unit", w.unit)
        .member("gust", w.gust)
        .member("depth", w.depth)
        .member("turbulence", w.turbulence)
        .member("shear", w.shear)
        .endObject();
}

} // namespace

void WriteWeatherMembers(JsonWriter &json, const WeatherState &weather)
{
    const t_weather &w = weather.CurrentWeather;
    json.member("source", w.source)
        .member("station", w.station)
        .member("elevation", w.elevation)
        .member("reportType", w.reportType)
        .key("auto")
        .flag(w.autoReport)
        .key("corrected")
        .flag(w.corrected)
        .member("time", w.time)
        .key("wind");
    WriteWind(json, w.wind);
    json.key("windsAloft").beginArray();
    for (const t_wind &layer : w.windsAloft)
        WriteWind(json, layer);
    json.endArray().key("cavok").flag(w.cavok).key("visibilities").beginArray();
    for (const t_visibility &v : w.visibilities)
        json.beginObject().member("visibility", v.distance).member("base", v.base).member("depth", v.depth).endObject();
    json.endArray().key("runwayVisualRanges").beginArray();
    for (const t_runwayvisual &r : w.runwayVisualRanges)
        json.beginObject().member("runway", r.runway).member("range", r.range).endObject();
    json.endArray()
        .key("condition")
        .beginObject()
        .member("intensity", w.condition.intensity)
        .member("descriptor", w.condition.descriptor)
        .member("phenomenon", w.condition.phenomenon)
        .endObject()
        .member("skySummary", w.skySummary)
        .key("clouds")
        .beginArray();
    for (const t_cloud &c : w.clouds) {
        json.beginObject()
            .member("height", c.height)
            .member("cover", c.cover)
            .member("top", c.top)
            .member("turbulence", c.turbulence)
            .member("precipIntensity", c.precipIntensity)
            .member("precipType", c.precipType)
            .member("base", c.base)
            .member("icing", c.icing)
            .endObject();
    }
    json.endArray().key("temperatures").beginArray();
    for (const t_temperature &t : w.temperatures) {
        json.beginObject()
            .member("temperature", t.temperature)
            .member("dewPoint", t.dewPoint)
            .member("altitude", t.altitude)
            .endObject();
    }
    json.endArray()
        .member("pressure", w.pressureText)
        .member("metar", w.metar)
        .member("qnh", weather.qnhText)
        .member("altimeter", weather.altimeterText)
        .member("windUnit", weather.windUnit);
}

} // namespace zaz::tool
