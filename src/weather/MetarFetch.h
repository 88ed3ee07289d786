// The internet fetch of the stations' METARs: one GET of address + code + ".TXT" per
// station of the list, one after the other, on the thread that owns the object (the GUI
// thread). Each reply is stored as it arrives; a new fetch drops what an older one still
// waits for.
#pragma once

#include "sector/SectorState.h"
#include "weather/WeatherState.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QStringList>

namespace zaz {

class MetarFetch : public QObject {
    Q_OBJECT
public:
    static inline const QString kInProgress = QStringLiteral("real stations in progress...");
    static inline const QString kCompleted = QStringLiteral("real stations completed");
    static inline const QString kConnectionFailed = QStringLiteral("Echec de la connexion");

    MetarFetch(WeatherState &weather, SectorState &sector, QObject *parent = nullptr);
    ~MetarFetch() override;

    // Starts a fetch of the current station list from the weather settings' address: clears
    // the check list, marks the stations busy, sets the loading text. The list is copied, so
    // a refresh during the fetch does not change what this one asks for.
    void StartInternetFetch();
    // Longest wait for one station's reply, in milliseconds.
    void setReplyTimeout(int milliseconds) { replyTimeoutMs_ = milliseconds; }

signals:
    // The loading text changed (the fetch started).
    void notice(const QString &text);
    // The current fetch ended: kCompleted, or kConnectionFailed when the server could not be
    // reached.
    void finished(const QString &text);
    // A station's METAR was stored (the weather window repaints).
    void stationStored(const QString &code);
    // A METAR to forward to the server (the publish flag is set).
    void metarToPublish(const QString &metar);

private:
    void fetchNext(quint64 generation);
    void onReply(QNetworkReply *reply, quint64 generation);
    void finish(const QString &text);
    void dropReply();

    WeatherState &weather_;
    SectorState &sector_;
    QNetworkAccessManager manager_;
    QPointer<QNetworkReply> reply_;
    bool oversized_ = false;
    QStringList list_;      // the stations of the current fetch
    QString address_;
    int next_ = 0;
    int replyTimeoutMs_ = 20000;
};

} // namespace zaz
