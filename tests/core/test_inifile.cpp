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

    void put(const QByteArray &bytes, const QString &name = QStringLiteral("test.ini")) const
    {
        QFile f(path(name));
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

const QByteArray kSample =
    "; settings\r\n"
    "orphan=before any section\r\n"
    "[screen]\r\n"
    "  RadarTop = 12  \r\n"
    "radarleft=34\r\n"
    "not a key line\r\n"
    ";radarheight=99\r\n"
    "radartop=hidden duplicate\r\n"
    "\r\n"
    "[ FSX ]\r\n"
    "DIR=\"  C:\\sim\\  \"\r\n"
    "name='x'\r\n"
    "odd=\"x'\r\n"
    "empty=\r\n"
    "[Screen]\r\n"
    "eqdist=5\r\n";

TEST_F(IniFileTest, LookUpsIgnoreCaseAndBlanksSkipHiddenLinesAndFollowFileOrder)
{
    put(kSample);
    IniFile ini(path());
    EXPECT_TRUE(ini.lastError().isEmpty());

    EXPECT_EQ(ini.readSections(), QStringList({"screen", "FSX"}));
    EXPECT_EQ(ini.readSection("SCREEN"), QStringList({"RadarTop", "radarleft"}));
    EXPECT_EQ(ini.readSectionValues("screen"), QStringList({"RadarTop=12", "radarleft=34"}));
    EXPECT_EQ(ini.readString(" screen ", "radartop", "d"), "12");
    // Quotes are taken off only when they match.
    const auto pairs = ini.readSectionPairs("FSX");
    ASSERT_EQ(pairs.size(), 4);
    EXPECT_EQ(pairs[0], qMakePair(QString("DIR"), QString("  C:\\sim\\  ")));
    EXPECT_EQ(ini.readString("fsx", "name", "d") + ini.readString("fsx", "odd", "d"), "x\"x'");
    EXPECT_EQ(pairs[3], qMakePair(QString("empty"), QString()));
    EXPECT_TRUE(ini.valueExists("fsx", "EMPTY"));

    // Comments, lines without "=", keys before any section and the hidden duplicate
    // section are not reachable.
    EXPECT_EQ(ini.readString("screen", "radarheight", "d"), "d");
    EXPECT_FALSE(ini.valueExists("screen", "not a key line"));
    EXPECT_EQ(ini.readString("", "orphan", "d"), "d");
    EXPECT_EQ(ini.readString("screen", "eqdist", "d"), "d");
    EXPECT_EQ(ini.readString("nowhere", "radartop", "ERROR"), "ERROR");
    EXPECT_FALSE(ini.sectionExists("nowhere"));
    EXPECT_TRUE(ini.readSection("nowhere").isEmpty());
}

TEST_F(IniFileTest, LineEndsAndByteOrderMarkDoNotChangeTheContent)
{
    const QByteArray lf = QByteArray(kSample).replace("\r\n", "\n");
    for (const QByteArray &bytes : {kSample, lf, QByteArray("\xEF\xBB\xBF") + lf, lf.chopped(1)}) {
        put(bytes);
        IniFile ini(path());
        EXPECT_EQ(ini.readSections(), QStringList({"screen", "FSX"}));
        EXPECT_EQ(ini.readSectionValues("screen"), QStringList({"RadarTop=12", "radarleft=34"}));
        EXPECT_EQ(ini.readString("screen", "eqdist", "d"), "d");
    }
    // The mark is written back; every line then ends with CRLF.
    put("\xEF\xBB\xBF[a]\nk=1");
    IniFile ini(path());
    ASSERT_TRUE(ini.writeString("a", "k", "2"));
    EXPECT_EQ(get(), "\xEF\xBB\xBF[a]\r\nk=2\r\n");
}

TEST_F(IniFileTest, ChangedKeyKeepsItsPlaceAndEveryOtherLineItsBytes)
{
    put("; top\n[screen]\n  RadarTop = 12  \nradarleft=34\t\n\n[FSX]\nDIR = x \n");
    IniFile ini(path());
    ASSERT_TRUE(ini.writeString("SCREEN", "radartop", "56"));
    EXPECT_EQ(get(), "; top\r\n[screen]\r\nRadarTop=56\r\nradarleft=34\t\r\n\r\n[FSX]\r\nDIR = x \r\n");
    EXPECT_EQ(ini.readString("screen", "radartop", ""), "56");

    // Writing the value the key already has succeeds and leaves its line as it was.
    ASSERT_TRUE(ini.writeString("fsx", "dir", "x"));
    EXPECT_TRUE(get().contains("\r\nDIR = x \r\n"));
    IniFile reread(path());
    EXPECT_EQ(reread.readSectionValues("screen"), QStringList({"RadarTop=56", "radarleft=34"}));
}

TEST_F(IniFileTest, NewKeysAndSectionsGoAtTheEnd)
{
    put("[a]\nx=1\n; about b\n\n[b]\ny=2");
    IniFile ini(path());
    ASSERT_TRUE(ini.writeString("A", "z", "3"));
    ASSERT_TRUE(ini.writeString("new", "k", "v"));
    EXPECT_EQ(get(), "[a]\r\nx=1\r\nz=3\r\n; about b\r\n\r\n[b]\r\ny=2\r\n\r\n[new]\r\nk=v\r\n");
    EXPECT_EQ(ini.readSection("a"), QStringList({"x", "z"}));

    // A missing file is empty and is created at the first write.
    IniFile fresh(path("fresh.ini"));
    EXPECT_TRUE(fresh.readSections().isEmpty());
    EXPECT_TRUE(fresh.lastError().isEmpty());
    ASSERT_TRUE(fresh.writeString("s", "k", ""));
    EXPECT_EQ(get("fresh.ini"), "[s]\r\nk=\r\n");
}

TEST_F(IniFileTest, EraseSectionAndDeleteKey)
{
    put("[a]\nx=1\nX=dup\ny=2\n[b]\nx=3\n[A]\nw=4\n");
    IniFile ini(path());
    ASSERT_TRUE(ini.deleteKey("a", "x"));
    EXPECT_FALSE(ini.valueExists("a", "x")); // the hidden duplicate went too
    EXPECT_EQ(ini.readString("b", "x", "d"), "3");
    ASSERT_TRUE(ini.eraseSection("A"));
    EXPECT_FALSE(ini.sectionExists("a")); // every copy of the section went
    EXPECT_EQ(get(), "[b]\r\nx=3\r\n");
    EXPECT_TRUE(ini.deleteKey("nowhere", "x"));
    EXPECT_TRUE(ini.eraseSection("nowhere"));
}

TEST_F(IniFileTest, Windows1252RoundTrip)
{
    put("[caract]\nstyle=Arial \xE9tendu \x80\n");
    IniFile ini(path());
    EXPECT_EQ(ini.readString("caract", "style", ""), QString::fromUtf8("Arial étendu €"));
    ASSERT_TRUE(ini.writeString(QString::fromUtf8("réglé"), QString::fromUtf8("clé"), QString::fromUtf8("é Ω")));
    EXPECT_TRUE(get().endsWith("[r\xE9gl\xE9]\r\ncl\xE9=\xE9 ?\r\n"));
    // Memory holds what the file holds.
    EXPECT_EQ(ini.readString(QString::fromUtf8("RÉGLÉ"), QString::fromUtf8("CLÉ"), ""), QString::fromUtf8("é ?"));
}

TEST_F(IniFileTest, BatchWritesOnceAtTheOutermostEnd)
{
    put("[a]\nx=1\n");
    IniFile ini(path());
    ini.beginUpdate();
    ini.beginUpdate();
    ASSERT_TRUE(ini.writeString("a", "x", "2"));
    ASSERT_TRUE(ini.eraseSection("b"));
    ASSERT_TRUE(ini.endUpdate());
    EXPECT_EQ(get(), "[a]\nx=1\n");
    ASSERT_TRUE(ini.endUpdate());
    EXPECT_EQ(get(), "[a]\r\nx=2\r\n");
}

TEST_F(IniFileTest, RefusesNamesAndValuesThatWouldBreakTheFile)
{
    IniFile ini(path());
    const char *bad[][3] = {{"a", "k", "1\r\n[evil]"}, {"a", "k=v", "1"}, {"a", " ", "1"},
                            {"a", ";k", "1"},          {"a\nb", "k", "1"}, {"a", "k\rx", "1"}};
    for (const auto &b : bad)
        EXPECT_FALSE(ini.writeString(b[0], b[1], b[2])) << b[1];
    EXPECT_TRUE(ini.lastError().contains("test.ini"));
    EXPECT_FALSE(QFile::exists(path()));
    EXPECT_FALSE(ini.sectionExists("a"));
}

// A full disk, imitated with the file size limit of the process (which binds root too):
// the temporary file cannot be written, so the old file must stay whole, no temporary file
// may remain, and the change must be written by the next attempt.
TEST_F(IniFileTest, FailedWriteLeavesTheOldFileWholeAndRetriesLater)
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
    EXPECT_EQ(ini.readString("a", "x", ""), QString(100, u'y'));

    ASSERT_TRUE(ini.writeString("b", "k", "v"));
    EXPECT_TRUE(ini.lastError().isEmpty());
    IniFile reread(path());
    EXPECT_EQ(reread.readString("a", "x", ""), QString(100, u'y'));
    EXPECT_EQ(reread.readString("b", "k", ""), "v");
}

TEST_F(IniFileTest, WriteIntoAFolderThatIsAFileFails)
{
    put("not a folder", "sub");
    IniFile ini(path("sub/test.ini"));
    EXPECT_FALSE(ini.writeString("a", "x", "1"));
    EXPECT_TRUE(ini.lastError().contains("test.ini"));
    EXPECT_EQ(get("sub"), "not a folder");
}

// A file that could not be read must never be replaced by our nearly empty copy.
TEST_F(IniFileTest, UnreadableFileIsNeverOverwritten)
{
    put("[a]\nx=1\n");
    {
        QFile f(path());
        ASSERT_TRUE(f.resize(16 * 1024 * 1024 + 1)); // sparse: cheap to make
    }
    IniFile big(path());
    EXPECT_FALSE(big.lastError().isEmpty());
    EXPECT_FALSE(big.sectionExists("a"));
    EXPECT_FALSE(big.writeString("a", "x", "2"));
    EXPECT_TRUE(big.lastError().contains("test.ini"));
    EXPECT_EQ(QFileInfo(path()).size(), 16 * 1024 * 1024 + 1);
    EXPECT_TRUE(get().startsWith("[a]\nx=1\n"));

    // Once the file is mended, Reload reads it and writes work again.
    put("[a]\nx=1\n");
    EXPECT_TRUE(big.reload());
    EXPECT_TRUE(big.writeString("a", "x", "2"));
    EXPECT_EQ(get(), "[a]\r\nx=2\r\n");

    ASSERT_TRUE(QDir(dir_.path()).mkdir("folder.ini"));
    IniFile folder(path("folder.ini"));
    EXPECT_FALSE(folder.lastError().isEmpty());
    EXPECT_FALSE(folder.writeString("a", "x", "1"));
    EXPECT_TRUE(QFileInfo(path("folder.ini")).isDir());
}

TEST_F(IniFileTest, TooManyLinesIsRefusedNotKept)
{
    IniFile ini(QString{});
    EXPECT_FALSE(ini.loadFromBytes(QByteArray(300 * 1024, '\n')));
    EXPECT_TRUE(ini.toBytes().isEmpty());
    EXPECT_TRUE(ini.loadFromBytes(QByteArray("[a]\0x=\x01\xFF\n", 10) + "\n"));
    EXPECT_EQ(ini.readSections(), QStringList({"a"}));
}

} // namespace
} // namespace zaz
