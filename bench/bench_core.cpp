// Costs of the text layer on the paths every server line and every settings file takes.
#include "core/Codec.h"
#include "core/IniFile.h"
#include "core/Text.h"

#include <QTemporaryDir>
#include <QFile>
#include <benchmark/benchmark.h>

using namespace zaz;

namespace {

QByteArray ProtocolLines(int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += QByteArray("@N:AFR") + QByteArray::number(1000 + i)
                 + ":2200:1:45.72556:5.08111:12500:280:4290774016:0\r\n";
    return bytes;
}

void BM_DecodeAndSplitLines(benchmark::State &state)
{
    const QByteArray bytes = ProtocolLines(int(state.range(0)));
    for (auto _ : state) {
        const QString text = DecodeCp1252(bytes);
        qsizetype fields = 0;
        for (const QString &line : SplitText(QStringLiteral("\r\n"), text))
            fields += SplitText(QStringLiteral(":"), line).size();
        benchmark::DoNotOptimize(fields);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_DecodeAndSplitLines)->Arg(1000)->Arg(10000);

void BM_StrictIntegers(benchmark::State &state)
{
    const QStringList texts = {QStringLiteral("12500"), QStringLiteral("-40"), QStringLiteral("2200"),
                               QStringLiteral("4290774016"), QStringLiteral("280")};
    for (auto _ : state) {
        int sum = 0;
        for (const QString &t : texts) {
            int v = 0;
            if (TryStrToInt(t, v))
                sum += v;
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_StrictIntegers);

// Reading a settings file with long selection texts and many keys.
void BM_IniFileLoad(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ZAZ.ini"));
    QByteArray text = "[sector]\r\nliste_fix=" + QByteArray(2047, '1') + "\r\n";
    for (int s = 0; s < 20; ++s) {
        text += "[section" + QByteArray::number(s) + "]\r\n";
        for (int k = 0; k < int(state.range(0)); ++k)
            text += "key" + QByteArray::number(k) + "=value " + QByteArray::number(k) + "\r\n";
    }
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(text);
    f.close();
    for (auto _ : state) {
        IniFile ini(path);
        benchmark::DoNotOptimize(ini.readString(QStringLiteral("section19"), QStringLiteral("key1"), {}));
    }
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_IniFileLoad)->Arg(50)->Arg(500);

} // namespace

BENCHMARK_MAIN();
