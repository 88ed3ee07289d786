#include "ReplayFeed.h"

#include "core/Clock.h"
#include "link/Dispatcher.h"
#include "link/LineProtocol.h"
#include "state/Ticks.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

namespace zaz::tool {

const OptionDef kServerTypeOption{"--server-type", true, "FSD ou VIREO-SERVER"};
const OptionDef kOwnOption{"--own", true, "un indicatif"};

const QDateTime kReplayStart(QDate(2000, 1, 1), QTime(12, 0, 0), Qt::UTC);

namespace {

// Socket reads are at most this large; one tick handles one read.
constexpr qsizetype kReadSize = 64 * 1024;
constexpr qint64 kTickMs = 100;

// Keeps what the dispatcher sends, without the line ends.
struct SentLines : LineSender {
    void SendLine(const QString &text) override { lines.append(WithoutLineEnd(text)); }
    QStringList lines;
};

// The capture's bytes as socket reads: every line end of the file (CR LF, LF or CR alone)
// is sent as the CR LF a server ends its lines with, and a last line without an end gets
// one. A capture written with CR LF goes through byte for byte.
class ReadFeeder {
public:
    ReadFeeder(RadarState &state, Dispatcher &dispatcher, ManualClock &clock)
        : state_(state), dispatcher_(dispatcher), clock_(clock)
    {
        read_.reserve(kReadSize + 2);
    }

    void add(const char *data, qsizetype size)
    {
        for (qsizetype i = 0; i < size; ++i) {
            const char c = data[i];
            if (c == '\r') {
                read_.append("\r\n", 2);
                afterCr_ = true;
                lineOpen_ = false;
            } else if (c == '\n') {
                if (!afterCr_)
                    read_.append("\r\n", 2);
                afterCr_ = false;
                lineOpen_ = false;
            } else {
                read_.append(c);
                afterCr_ = false;
                lineOpen_ = true;
            }
            if (read_.size() >= kReadSize)
                deliver();
        }
    }

    // Ends the last line, delivers the last read and ticks until every line is handled and
    // every flight plan query that the lines called for has gone out.
    void finish()
    {
        if (lineOpen_)
            read_.append("\r\n", 2);
        lineOpen_ = false;
        while (!read_.isEmpty())
            deliver();
        while (dispatcher_.hasPending() || !state_.traffic.planRequests.waiting.isEmpty())
            tickOnce();
    }

private:
    void deliver()
    {
        const qsizetype size = qMin(read_.size(), kReadSize);
        dispatcher_.receive(read_.left(size));
        read_.remove(0, size);
        tickOnce();
    }

    // One tick of the read timer, as the program runs it: the lines of one read, then the
    // model step of the redraw.
    void tickOnce()
    {
        dispatcher_.tick();
        StepBeforeRedraw(state_, clock_.now());
        clock_.advanceMs(kTickMs);
    }

    RadarState &state_;
    Dispatcher &dispatcher_;
    ManualClock &clock_;
    QByteArray read_;
    bool afterCr_ = false;
    bool lineOpen_ = false;
};

void SyntheticLogin(RadarState &state, const ReplayLogin &login)
{
    LinkState &link = state.link;
    link.serverType = login.serverType;
    link.LoginCallsign = login.own;
    link.OwnCallsign = login.own;
    link.LoginSent = true;
    link.Accepted = true;
    link.loggedIn = true;
    link.VireoServer = login.serverType == QLatin1String("VIREO-SERVER");
    const QString digits = state.sector.identity.ownFrequency;
    link.Com1Digits = digits;
    link.Com1Frequency = digits.size() > 3 ? digits.left(3) + QLatin1Char('.') + digits.mid(3) : digits;
}

} // namespace

ReplayLogin ReplayLoginFrom(const ParsedArguments &args)
{
    ReplayLogin login;
    if (args.hasValue("--server-type"))
        login.serverType = args.value("--server-type");
    if (login.serverType != QLatin1String("FSD") && login.serverType != QLatin1String("VIREO-SERVER"))
        UsageError(QStringLiteral("type de serveur inconnu : %1 (FSD ou VIREO-SERVER)").arg(login.serverType));
    if (args.hasValue("--own"))
        login.own = args.value("--own");
    return login;
}

ReplayResult ReplayCapture(RadarState &state, const QString &path, const ReplayLogin &login)
{
    const QFileInfo info(path);
    if (!info.exists())
        IoError(QStringLiteral("fichier introuvable : %1").arg(path));
    if (info.isDir())
        IoError(QStringLiteral("c'est un dossier, pas un fichier : %1").arg(path));
    QFile capture(path);
    if (!capture.open(QIODevice::ReadOnly))
        IoError(QStringLiteral("lecture impossible : %1 (%2)").arg(path, capture.errorString()));

    SyntheticLogin(state, login);
    SentLines sent;
    ManualClock clock(kReplayStart);
    Dispatcher dispatcher(LinkGroupsOf(state), sent, clock);
    ReadFeeder feeder(state, dispatcher, clock);
    QElapsedTimer timer;
    timer.start();
    QByteArray block(kReadSize, Qt::Uninitialized);
    for (;;) {
        const qint64 got = capture.read(block.data(), block.size());
        if (got < 0)
            IoError(QStringLiteral("lecture impossible : %1 (%2)").arg(path, capture.errorString()));
        if (got == 0)
            break;
        feeder.add(block.constData(), got);
    }
    feeder.finish();
    ReplayResult result;
    result.elapsedMs = double(timer.nsecsElapsed()) / 1e6;
    result.sent = std::move(sent.lines);
    result.end = clock.now();
    return result;
}

} // namespace zaz::tool
