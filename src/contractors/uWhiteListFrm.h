#pragma once

#include "HttpsKlient.h"
#include "uTypyWhiteList.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>

// The client of the Ministry of Finance VAT white list: asks for the bank accounts a VAT
// taxpayer registered. No window of its own; the lookup waits for the answer but keeps the
// caller's windows repainting.
class TWhiteListFrm {
public:
    static inline const QString DomyslnyAdres = QStringLiteral("https://wl-api.mf.gov.pl");
    // The service answers at most this many numbers in one search.
    static constexpr int MaksNipowWZapytaniu = 30;

    explicit TWhiteListFrm(const QString& adres = DomyslnyAdres);

    // The server's base address ("https://host[:port]"); a missing scheme means https.
    void setAdres(const QString& adres);
    const QString& adres() const { return adres_; }
    // The day the register is asked about; a null date means today.
    void setDzien(const QDate& dzien) { dzien_ = dzien; }
    HttpsKlient& klient() { return klient_; }

    // Sets DownloadError, ServerResponse, Konta and WhiteListSubject.
    void PobierzNumeryKont(const QString& Nip);
    // The request address for one number: the number is sent as it is stored, encoded as
    // one path segment so that a "/" or "?" in it cannot change the request.
    QString GetByNipStr(const QString& Nip) const;
    QString queryDate() const; // "?date=YYYY-MM-DD"
    // The answer body, or empty text with DownloadError set.
    QString WyslijZapytanie(const QString& url);
    void WczytajDane(const QString& text);

    bool DownloadError = false;
    QString ServerResponse;
    QStringList Konta;
    recWhiteListSubject WhiteListSubject;

    // Why the last request failed (empty after a success), for the command line: the
    // network layer's reason, and for an error status the service's own code and message.
    OdpowiedzHttps::Wynik Wynik = OdpowiedzHttps::Wynik::Ok;
    int StatusHttp = 0;
    QString OpisBledu;
    QString KodBledu;
    QString KomunikatBledu;
    // Why the last request failed, in one line: the network layer's reason, the service's
    // code and message.
    QString PowodBledu() const;

    // Several numbers in one search (at most MaksNipowWZapytaniu).
    struct WynikWielu {
        bool ok = false;    // the answer arrived and was read
        bool limit = false; // the service refused: the daily limit of searches is used up
        QHash<QString, QStringList> konta; // the accounts per number asked, in answer order
    };
    QString GetByNipsStr(const QStringList& nipy) const;
    WynikWielu PobierzNumeryKontWielu(const QStringList& nipy);

private:
    void zapiszBlad(const OdpowiedzHttps& odp);

    QString adres_;
    QDate dzien_;
    HttpsKlient klient_;
};
