#include "HttpsKlient.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QScopedPointer>
#include <QSslConfiguration>
#include <QSslError>
#include <QTimer>

HttpsKlient::HttpsKlient() = default;
HttpsKlient::~HttpsKlient() = default;

namespace {

QString opisBledowSsl(const QList<QSslError>& errors) {
    QStringList texts;
    for (const QSslError& e : errors)
        texts << e.errorString();
    texts.removeDuplicates();
    return texts.join(QStringLiteral("; "));
}

} // namespace

OdpowiedzHttps HttpsKlient::get(const QUrl& url, const NaglowkiHttp& naglowki) {
    using W = OdpowiedzHttps::Wynik;
    OdpowiedzHttps odp;
    if (!url.isValid() || url.scheme() != u"https" || url.host().isEmpty()) {
        odp.wynik = W::Inny;
        odp.blad = QStringLiteral("Nieprawidłowy adres serwera: ") + url.toString();
        return odp;
    }
    if (!manager_)
        manager_ = std::make_unique<QNetworkAccessManager>();

    QNetworkRequest request(url);
    QSslConfiguration ssl = QSslConfiguration::defaultConfiguration();
    ssl.setPeerVerifyMode(QSslSocket::VerifyPeer);
    if (!dodatkoweCA_.isEmpty())
        ssl.addCaCertificates(dodatkoweCA_);
    request.setSslConfiguration(ssl);
    for (const auto& [name, value] : naglowki)
        request.setRawHeader(name, value);

    QScopedPointer<QNetworkReply, QScopedPointerDeleteLater> reply(manager_->get(request));
    QList<QSslError> sslErrors;
    bool czasPolaczenia = false;
    bool czasZapytania = false;

    QEventLoop loop;
    QTimer polaczenie;
    polaczenie.setSingleShot(true);
    QTimer calosc;
    calosc.setSingleShot(true);
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(reply.get(), &QNetworkReply::sslErrors,
                     [&sslErrors](const QList<QSslError>& e) { sslErrors += e; });
    // Connected, handshake done and request written: only the whole-request limit remains.
    QObject::connect(reply.get(), &QNetworkReply::requestSent, &polaczenie, &QTimer::stop);
    QObject::connect(&polaczenie, &QTimer::timeout, [&] {
        czasPolaczenia = true;
        reply->abort();
    });
    QObject::connect(&calosc, &QTimer::timeout, [&] {
        czasZapytania = true;
        reply->abort();
    });
    polaczenie.start(czasPolaczeniaMs_);
    calosc.start(czasZapytaniaMs_);
    if (!reply->isFinished())
        loop.exec();
    polaczenie.stop();
    calosc.stop();

    odp.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QNetworkReply::NetworkError error = reply->error();
    if (czasPolaczenia) {
        odp.wynik = W::CzasMinal;
        odp.blad = QStringLiteral("Przekroczono czas oczekiwania na połączenie z serwerem (%1 s).")
                       .arg(czasPolaczeniaMs_ / 1000.0);
        odp.status = 0;
    } else if (czasZapytania) {
        odp.wynik = W::CzasMinal;
        odp.blad = QStringLiteral("Przekroczono czas oczekiwania na odpowiedź serwera (%1 s).")
                       .arg(czasZapytaniaMs_ / 1000.0);
        odp.status = 0;
    } else if (!sslErrors.isEmpty() || error == QNetworkReply::SslHandshakeFailedError) {
        odp.wynik = W::Certyfikat;
        const QString opis = sslErrors.isEmpty() ? reply->errorString() : opisBledowSsl(sslErrors);
        odp.blad = QStringLiteral("Nie udało się zweryfikować certyfikatu serwera: ") + opis;
        odp.status = 0;
    } else if (odp.status != 0 && (odp.status < 200 || odp.status > 299)) {
        odp.wynik = W::StatusHttp;
        odp.body = reply->readAll();
        odp.blad = QStringLiteral("Serwer odpowiedział kodem HTTP %1.").arg(odp.status);
    } else if (error != QNetworkReply::NoError) {
        switch (error) {
        case QNetworkReply::ConnectionRefusedError:
        case QNetworkReply::RemoteHostClosedError:
        case QNetworkReply::HostNotFoundError:
        case QNetworkReply::TemporaryNetworkFailureError:
        case QNetworkReply::NetworkSessionFailedError:
        case QNetworkReply::UnknownNetworkError:
        case QNetworkReply::TimeoutError:
            odp.wynik = W::Polaczenie;
            break;
        default:
            odp.wynik = W::Inny;
        }
        odp.blad = QStringLiteral("Nie udało się połączyć z serwerem: ") + reply->errorString();
    } else if (odp.status == 0) {
        odp.wynik = W::Inny;
        odp.blad = QStringLiteral("Serwer nie odesłał odpowiedzi HTTP.");
    } else {
        odp.wynik = W::Ok;
        odp.body = reply->readAll();
    }
    return odp;
}

QString AdresUslugi(const QString& adres, const QString& domyslny) {
    QString a = adres.trimmed();
    if (a.isEmpty())
        a = domyslny;
    if (!a.contains(QStringLiteral("://")))
        a = QStringLiteral("https://") + a;
    while (a.endsWith(u'/'))
        a.chop(1);
    return a;
}
