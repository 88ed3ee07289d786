#include "weather/MetarFetch.h"

#include "weather/Stations.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

namespace zaz {

MetarFetch::MetarFetch(WeatherState &weather, SectorState &sector, QObject *parent)
    : QObject(parent)
    , weather_(weather)
    , sector_(sector)
{
}

MetarFetch::~MetarFetch()
{
    dropReply();
}

void MetarFetch::StartInternetFetch()
{
    dropReply();
    StationsState &stations = weather_.stations;
    const quint64 generation = ++stations.fetchGeneration;
    list_ = stations.list;
    address_ = weather_.server.address.trimmed();
    next_ = 0;
    stations.checkList.clear();
    stations.busy = true;
    stations.loadingText = kInProgress;
    emit notice(kInProgress);
    // The requests go out from the event loop, so that whoever started the fetch sees its
    // first replies and its end only after this returns.
    QMetaObject::invokeMethod(this, [this, generation] { fetchNext(generation); }, Qt::QueuedConnection);
}

void MetarFetch::fetchNext(quint64 generation)
{
    if (generation != weather_.stations.fetchGeneration)
        return; // a newer fetch has its own queued request
    if (next_ >= list_.size()) {
        finish(kCompleted);
        return;
    }
    QNetworkRequest request(QUrl(address_ + list_[next_++] + QStringLiteral(".TXT")));
    request.setTransferTimeout(replyTimeoutMs_);
    oversized_ = false;
    QNetworkReply *reply = manager_.get(request);
    reply_ = reply;
    connect(reply, &QNetworkReply::readyRead, this, [this, reply] {
        if (reply->bytesAvailable() > kMetarReplyLimit && reply == reply_) {
            oversized_ = true;
            reply->abort();
        }
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply, generation] { onReply(reply, generation); });
}

void MetarFetch::onReply(QNetworkReply *reply, quint64 generation)
{
    reply->deleteLater();
    if (reply != reply_ || generation != weather_.stations.fetchGeneration)
        return;
    reply_ = nullptr;
    // Without an HTTP status the server was never reached: the other stations, at the same
    // address, would fail the same way.
    const bool reached = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
    if (!oversized_ && reply->error() != QNetworkReply::NoError && !reached) {
        finish(kConnectionFailed);
        return;
    }
    if (!oversized_ && reply->error() == QNetworkReply::NoError) {
        if (const std::optional<MetarReply> read = ReadMetarReply(reply->read(kMetarReplyLimit + 1))) {
            const StoredMetar stored = StoreInternetMetar(weather_, sector_, *read);
            if (stored.airport >= 0) {
                emit stationStored(sector_.tables.airports[stored.airport].identifier.trimmed());
                if (!stored.published.isEmpty())
                    emit metarToPublish(stored.published);
            }
        }
    }
    // Each station's request waits for the previous reply, which keeps them in list order.
    if (generation == weather_.stations.fetchGeneration)
        fetchNext(generation);
}

void MetarFetch::finish(const QString &text)
{
    weather_.stations.busy = false;
    weather_.stations.loadingText = text;
    emit finished(text);
}

void MetarFetch::dropReply()
{
    if (!reply_)
        return;
    QNetworkReply *reply = reply_;
    reply_ = nullptr;
    disconnect(reply, nullptr, this, nullptr);
    reply->abort();
    reply->deleteLater();
}

} // namespace zaz
