// What every command of zaz-tool shares: exit codes, the error a command raises, the
// buffered standard output and the parsing of options.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>

namespace zaz::tool {

enum ExitCode : int {
    kExitOk = 0,
    kExitIo = 1,    // a file could not be read or written
    kExitUsage = 2, // the command line is wrong
};

// Raised by a command; main prints "zaz-tool : <message>" on one line and exits with code.
struct ToolError {
    int code;
    QString message;
};

[[noreturn]] void UsageError(const QString &message);
[[noreturn]] void IoError(const QString &message);

// Standard output through one large buffer: a dump of a big sector is hundreds of
// thousands of lines, and writing them one by one would cost more than the load.
class Output {
public:
    explicit Output(std::FILE *file = stdout) : file_(file) { buffer_.reserve(kFlushAt + 4096); }
    ~Output() { flush(); }
    Output(const Output &) = delete;
    Output &operator=(const Output &) = delete;

    // The text being built; call Commit after appending to it.
    std::string &buffer() { return buffer_; }
    // Writes the buffer out once it is large enough.
    void commit()
    {
        if (buffer_.size() >= kFlushAt)
            flush();
    }
    void write(std::string_view text)
    {
        buffer_ += text;
        commit();
    }
    // Writes everything; false when the output could not take it.
    bool flush();

private:
    static constexpr std::size_t kFlushAt = 1 << 20;
    std::FILE *file_;
    std::string buffer_;
    bool failed_ = false;
};

// One option a command accepts: "--name" alone, or "--name VALUE" / "--name=VALUE".
struct OptionDef {
    const char *name; // with the leading "--"
    bool takesValue;
    const char *valueName; // shown in the error when the value is missing
};

struct ParsedArguments {
    QStringList positional;
    QHash<QString, QString> values; // options with a value
    QStringList flags;              // options without one

    bool hasFlag(const char *name) const { return flags.contains(QLatin1String(name)); }
    bool hasValue(const char *name) const { return values.contains(QLatin1String(name)); }
    QString value(const char *name) const { return values.value(QLatin1String(name)); }
};

// Splits arguments into positional arguments and the options listed in known. An unknown option,
// a missing value, or more or fewer positional arguments than positionalNames lists is a
// usage error naming what is wrong. "--" ends the options.
ParsedArguments ParseArguments(const QStringList &arguments, std::initializer_list<OptionDef> known,
                               const QStringList &positionalNames);

// Commands of the "sector" group; arguments follow the word "sector".
int RunSectorCommand(const QStringList &arguments, Output &out);
QString SectorUsage();
// zaz-tool metar / weather / atis: the weather decoders, the stations' fetch, the ATIS lines.
int RunMetarCommand(const QStringList &arguments, Output &out);
QString MetarUsage();
int RunWeatherCommand(const QStringList &arguments, Output &out);
QString WeatherUsage();
int RunAtisCommand(const QStringList &arguments, Output &out);
QString AtisUsage();

// "route" and "plan": the route builder on a sector, the reading of a flight-plan file.
int RunRouteCommand(const QStringList &arguments, Output &out);
QString RouteUsage();
int RunPlanCommand(const QStringList &arguments, Output &out);
QString PlanUsage();

} // namespace zaz::tool
