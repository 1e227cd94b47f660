#pragma once

#include <QByteArray>
#include <QList>
#include <QSslCertificate>
#include <QString>
#include <QUrl>

#include <memory>
#include <utility>

class QNetworkAccessManager;

// A service's address as set in Brevant.ini: empty means the default; no scheme means HTTPS;
// no trailing slash, so paths are appended as they are.
QString AdresUslugi(const QString& adres, const QString& domyslny);

// What one request came back with.
struct OdpowiedzHttps {
    enum class Wynik {
        Ok,         // a 2xx answer; `body` holds it
        Polaczenie, // no connection (name, refused, reset)
        Certyfikat, // the server's certificate or host name failed verification
        CzasMinal,  // a time-out (connecting or the whole request)
        StatusHttp, // the server answered with an error status; `body` holds its answer
        Inny        // anything else the network layer reported
    };
    Wynik wynik = Wynik::Inny;
    int status = 0; // the HTTP status, 0 when no answer arrived
    QByteArray body;
    QString blad; // why it failed, in Polish; empty on success

    bool ok() const { return wynik == Wynik::Ok; }
};

using NaglowkiHttp = QList<std::pair<QByteArray, QByteArray>>;

// Sends one GET over TLS and waits for the answer. The certificate and host name are always
// verified against the system's trust store (plus any authority added with dodajZaufaneCA).
// Waiting runs the caller's event loop, so windows keep repainting; a dead network ends in a
// time-out instead of a frozen program.
class HttpsKlient {
public:
    static constexpr int DomyslnyCzasPolaczeniaMs = 10'000;
    static constexpr int DomyslnyCzasZapytaniaMs = 30'000;

    HttpsKlient();
    ~HttpsKlient();
    HttpsKlient(const HttpsKlient&) = delete;
    HttpsKlient& operator=(const HttpsKlient&) = delete;

    OdpowiedzHttps get(const QUrl& url, const NaglowkiHttp& naglowki);

    // Until the request is sent (connection and TLS handshake) and for the whole request.
    void setCzasy(int polaczenieMs, int calosMs) {
        czasPolaczeniaMs_ = polaczenieMs;
        czasZapytaniaMs_ = calosMs;
    }
    // An extra certificate authority to trust beside the system's ones (a test's own CA).
    void dodajZaufaneCA(const QList<QSslCertificate>& ca) { dodatkoweCA_ += ca; }

private:
    int czasPolaczeniaMs_ = DomyslnyCzasPolaczeniaMs;
    int czasZapytaniaMs_ = DomyslnyCzasZapytaniaMs;
    QList<QSslCertificate> dodatkoweCA_;
    // Kept between requests so that cookies and open connections carry over.
    std::unique_ptr<QNetworkAccessManager> manager_;
};
