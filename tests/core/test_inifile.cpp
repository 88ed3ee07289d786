// The INI settings file: look-ups, writes that keep the file's other bytes, and writes
// that never leave a damaged file behind.
#include "core/IniFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>

namespace zaz {
namespace {

class IniFileTest : public ::testing::Test {
protected:
    QString path(const QString &name = QStringLiteral("test.ini")) const { return dir_.filePath(name); }

    void put(const QByteArray &bytes) const
    {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }

    QByteArray get(const QString &name = QStringLiteral("test.ini")) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir dir_;
};

const QByteArray kSample = "; settings\r\norphan=before any section\r\n"
                           "[screen]\r\n  RadarTop = 12  \r\nradarleft=34\r\nnot a key line\r\n;radarheight=99\r\n"
                           "radartop=hidden duplicate\r\n[ FSX ]\r\nDIR=\"  C:\\sim\\  \"\r\nodd=\"x'\r\n"
                           "[Screen]\r\neqdist=5\r\n";

TEST_F(IniFileTest, LookUpsIgnoreCaseAndBlanksAndTheFirstOfTwoEqualNamesWins)
{
    // Line ends, a byte order mark and a missing last line end change nothing.
    for (const QByteArray &bytes : {kSample, "\xEF\xBB\xBF" + QByteArray(kSample).replace("\r\n", "\n").chopped(1)}) {
        put(bytes);
        IniFile ini(path());
        EXPECT_EQ(ini.readSections(), QStringList({"screen", "FSX"}));
        EXPECT_EQ(ini.readSectionValues("SCREEN"), QStringList({"RadarTop=12", "radarleft=34"}));
        EXPECT_EQ(ini.readString(" screen ", "radartop", "d"), "12");
        // Quotes come off only when they match.
        EXPECT_EQ(ini.readString("fsx", "dir", "d") + ini.readString("fsx", "odd", "d"), "  C:\\sim\\  \"x'");
        // Comments, lines without "=", keys before any section and the hidden section are not keys.
        for (const char *key : {"radarheight", "not a key line", "eqdist"})
            EXPECT_EQ(ini.readString("screen", key, "d"), "d") << key;
        EXPECT_FALSE(ini.valueExists("", "orphan"));
    }
}

TEST_F(IniFileTest, ChangedKeyKeepsItsPlaceAndEveryOtherLineItsBytes)
{
    put("\xEF\xBB\xBF; top\n[screen]\n  RadarTop = 12  \nradarleft=34\t\n\n[FSX]\nDIR = x \n");
    IniFile ini(path());
    ASSERT_TRUE(ini.writeString("SCREEN", "radartop", "56"));
    // Writing the value a key already has leaves its line alone.
    ASSERT_TRUE(ini.writeString("fsx", "dir", "x"));
    EXPECT_EQ(get(), "\xEF\xBB\xBF; top\r\n[screen]\r\nRadarTop=56\r\nradarleft=34\t\r\n\r\n[FSX]\r\nDIR = x \r\n");
}

TEST_F(IniFileTest, NewKeysGoAfterTheSectionsContentAndNewSectionsAtTheEnd)
{
    put("[a]\nx=1\n; about b\n\n[b]\ny=2");
    IniFile ini(path());
    ASSERT_TRUE(ini.writeString("A", "z", "3"));
    ASSERT_TRUE(ini.writeString("new", "k", "v"));
    EXPECT_EQ(get(), "[a]\r\nx=1\r\nz=3\r\n; about b\r\n\r\n[b]\r\ny=2\r\n\r\n[new]\r\nk=v\r\n");

    // A missing file is empty and is created at the first write.
    IniFile fresh(path("fresh.ini"));
    EXPECT_TRUE(fresh.lastError().isEmpty());
    ASSERT_TRUE(fresh.writeString("s", "k", ""));
    EXPECT_EQ(get("fresh.ini"), "[s]\r\nk=\r\n");
}

TEST_F(IniFileTest, EraseAndDeleteTakeHiddenDuplicatesAndABatchWritesOnceAtTheOutermostEnd)
{
    const QByteArray old = "[a]\nx=1\nX=dup\ny=2\n[b]\nx=3\n[A]\nw=4\n";
    put(old);
    IniFile ini(path());
    ini.beginUpdate();
    ini.beginUpdate();
    ASSERT_TRUE(ini.deleteKey("a", "x"));
    EXPECT_FALSE(ini.valueExists("a", "x"));
    ASSERT_TRUE(ini.eraseSection("A"));
    EXPECT_FALSE(ini.sectionExists("a"));
    ASSERT_TRUE(ini.endUpdate());
    EXPECT_EQ(get(), old);
    ASSERT_TRUE(ini.endUpdate());
    EXPECT_EQ(get(), "[b]\r\nx=3\r\n");
}

TEST_F(IniFileTest, Windows1252BothWays)
{
    put("[caract]\nstyle=Arial \xE9tendu \x80\n");
    IniFile ini(path());
    EXPECT_EQ(ini.readString("caract", "style", ""), QString::fromUtf8("Arial étendu €"));
    ASSERT_TRUE(ini.writeString(QString::fromUtf8("réglé"), QString::fromUtf8("clé"), QString::fromUtf8("é Ω")));
    EXPECT_TRUE(get().endsWith("[r\xE9gl\xE9]\r\ncl\xE9=\xE9 ?\r\n"));
}

TEST_F(IniFileTest, RefusesNamesAndValuesThatWouldBreakTheFile)
{
    IniFile ini(path());
    const char *bad[][3] = {{"a", "k", "1\r\n[evil]"}, {"a", "k=v", "1"}, {"a", " ", "1"},
                            {"a", ";k", "1"},          {"a\nb", "k", "1"}, {"a", "[k", "1"}};
    for (const auto &b : bad)
        EXPECT_FALSE(ini.writeString(b[0], b[1], b[2])) << b[1];
    EXPECT_FALSE(QFile::exists(path()));
    EXPECT_FALSE(ini.sectionExists("a"));
}

// A full disk, imitated with the file size limit of the process (which binds root too).
TEST_F(IniFileTest, FailedWriteLeavesTheOldFileWholeAndIsRetriedByTheNext)
{
    const QByteArray old = "[a]\nx=1\n";
    put(old);
    IniFile ini(path());
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 16;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = ini.writeString("a", "x", QString(100, u'y'));
    const QString error = ini.lastError();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_TRUE(error.contains(path())) << error.toStdString();
    EXPECT_EQ(get(), old);
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"test.ini"}));

    ASSERT_TRUE(ini.writeString("b", "k", "v"));
    EXPECT_TRUE(ini.lastError().isEmpty());
    const IniFile reread(path());
    EXPECT_EQ(reread.readString("a", "x", ""), QString(100, u'y'));
}

// A file that could not be read must never be replaced by our nearly empty copy.
TEST_F(IniFileTest, UnreadableFileIsNeverOverwrittenUntilItReadsAgain)
{
    put("[a]\nx=1\n");
    ASSERT_TRUE(QFile(path()).resize(16 * 1024 * 1024 + 1)); // sparse: cheap to make
    IniFile big(path());
    EXPECT_FALSE(big.lastError().isEmpty());
    EXPECT_FALSE(big.writeString("a", "x", "2"));
    EXPECT_EQ(QFileInfo(path()).size(), 16 * 1024 * 1024 + 1);

    put("[a]\nx=1\n");
    EXPECT_TRUE(big.reload());
    EXPECT_TRUE(big.writeString("a", "x", "2"));
    EXPECT_EQ(get(), "[a]\r\nx=2\r\n");

    // Too many line ends: refused, not kept.
    EXPECT_FALSE(big.loadFromBytes(QByteArray(300 * 1024, '\n')));
    EXPECT_TRUE(big.toBytes().isEmpty());
    EXPECT_FALSE(big.writeString("a", "x", "3"));
    EXPECT_EQ(get(), "[a]\r\nx=2\r\n");
}

} // namespace
} // namespace zaz
