#include "ui/ControlAiLink.h"

#include "core/Prompts.h"

#include <QDataStream>
#include <QDeadlineTimer>
#include <QLocalSocket>

namespace zaz {

namespace {

constexpr int kConnectMs = 300;
constexpr int kWriteMs = 300;
constexpr int kAnswerMs = 400;
constexpr quint32 kPositionKind = 2;

QByteArray PositionFrame(float latitude, float longitude)
{
    QByteArray frame;
    QDataStream out(&frame, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.setFloatingPointPrecision(QDataStream::SinglePrecision);
    out << kPositionKind << quint32(2 * sizeof(float)) << latitude << longitude;
    return frame;
}

} // namespace

std::optional<int> SendToControlAi(float latitude, float longitude, const QString &serverName)
{
    QLocalSocket socket;
    socket.connectToServer(serverName);
    if (!socket.waitForConnected(kConnectMs))
        return std::nullopt;
    socket.write(PositionFrame(latitude, longitude));
    if (socket.bytesToWrite() > 0 && !socket.waitForBytesWritten(kWriteMs))
        return std::nullopt;
    const QDeadlineTimer deadline(kAnswerMs);
    while (socket.bytesAvailable() < qint64(sizeof(qint32)) && !deadline.hasExpired()) {
        if (!socket.waitForReadyRead(int(deadline.remainingTime())))
            break;
    }
    if (socket.bytesAvailable() < qint64(sizeof(qint32)))
        return std::nullopt;
    QDataStream in(socket.read(sizeof(qint32)));
    in.setByteOrder(QDataStream::LittleEndian);
    qint32 lines = 0;
    in >> lines;
    socket.abort();
    return lines;
}

void SendCursorToControlAi(float latitude, float longitude, Prompts &prompts)
{
    const std::optional<int> lines = SendToControlAi(latitude, longitude);
    if (!lines)
        prompts.showMessage(QStringLiteral("CopyData Receiver NOT found!"));
    else if (*lines > 0)
        prompts.showMessage(QStringLiteral("Receiver has %1 lines in Memo!").arg(*lines));
}

} // namespace zaz
