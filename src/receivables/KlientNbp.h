#pragma once

#include "HttpsKlient.h"
#include "KursyEur.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <variant>
#include <vector>

// The NBP's public web API: the average euro rate of table A on the last working day of a
// month. TLS and its certificate are verified, and a silent server is given up after the
// HTTPS client's time-outs.
class TKlientNbp {
public:
    static inline const QString DomyslnyAdres = QStringLiteral("https://api.nbp.pl");
    // At most this many months in one fetch: one request each.
    static constexpr int MaksMiesiecy = 120;

    explicit TKlientNbp(const QString& adres = DomyslnyAdres);

    // The server's base address ("https://host[:port]"); a missing scheme means https, an
    // empty one the NBP's own.
    void setAdres(const QString& adres);
    const QString& adres() const { return adres_; }
    HttpsKlient& klient() { return klient_; }

    // The euro rates of table A published from `od` to `doDnia`, as XML.
    QString adresZapytania(const QDate& od, const QDate& doDnia) const;

    struct Wynik {
        bool ok = false;
        QString blad;                      // why it stopped, in Polish; empty when every month came
        std::vector<kursy::KursEur> kursy; // one per month fetched, also before a failure
    };
    // The last table of every month from `odMiesiaca` to `doMiesiaca` (any day of each). A
    // month whose last working day has not come yet is refused: its last table is not known.
    Wynik pobierzKursyMiesiecy(const QDate& odMiesiaca, const QDate& doMiesiaca,
                               const QDate& dzis = QDate::currentDate());

    // The rates of one answer; the Polish reason when it cannot be read (nothing guessed).
    static std::variant<std::vector<kursy::KursEur>, QString>
    czytajOdpowiedz(const QByteArray& xml);

private:
    QString adres_;
    HttpsKlient klient_;
};
