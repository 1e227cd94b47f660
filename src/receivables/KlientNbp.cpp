#include "KlientNbp.h"

#include "Swieta.h"
#include "Wyglad.h"

#include <QUrl>
#include <QXmlStreamReader>

TKlientNbp::TKlientNbp(const QString& adres) {
    setAdres(adres);
}

void TKlientNbp::setAdres(const QString& adres) {
    adres_ = AdresUslugi(adres, DomyslnyAdres);
}

QString TKlientNbp::adresZapytania(const QDate& od, const QDate& doDnia) const {
    return adres_ + QStringLiteral("/api/exchangerates/rates/a/eur/%1/%2/?format=xml")
                        .arg(od.toString(Qt::ISODate), doDnia.toString(Qt::ISODate));
}

std::variant<std::vector<kursy::KursEur>, QString>
TKlientNbp::czytajOdpowiedz(const QByteArray& xml) {
    QXmlStreamReader r(xml);
    std::vector<kursy::KursEur> wynik;
    QString tabela, waluta;
    kursy::KursEur biezacy;
    bool wKursie = false;
    QString mid;
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement()) {
            const QStringView n = r.name();
            if (n == u"Rate") {
                wKursie = true;
                biezacy = {};
                mid.clear();
            } else if (n == u"Table" && !wKursie) {
                tabela = r.readElementText().trimmed();
            } else if (n == u"Code" && !wKursie) {
                waluta = r.readElementText().trimmed();
            } else if (wKursie && n == u"No") {
                biezacy.tabela = r.readElementText().trimmed();
            } else if (wKursie && n == u"EffectiveDate") {
                biezacy.data = QDate::fromString(r.readElementText().trimmed(), Qt::ISODate);
            } else if (wKursie && n == u"Mid") {
                mid = r.readElementText().trimmed();
            }
        } else if (r.isEndElement() && r.name() == u"Rate") {
            wKursie = false;
            const std::optional<Money> kurs = kursy::parsujKurs(mid);
            if (!biezacy.data.isValid() || !kurs)
                return QStringLiteral("Nieczytelny kurs w odpowiedzi NBP (tabela %1, kurs \"%2\").")
                    .arg(biezacy.tabela, mid);
            biezacy.kurs = *kurs;
            wynik.push_back(biezacy);
        }
    }
    if (r.hasError())
        return QStringLiteral("Odpowiedź NBP nie jest poprawnym dokumentem XML: %1 (wiersz %2).")
            .arg(r.errorString())
            .arg(r.lineNumber());
    if (tabela != u"A" || waluta != u"EUR")
        return QStringLiteral("Odpowiedź NBP nie dotyczy kursu euro z tabeli A.");
    return wynik;
}

TKlientNbp::Wynik TKlientNbp::pobierzKursyMiesiecy(const QDate& odMiesiaca, const QDate& doMiesiaca,
                                                   const QDate& dzis) {
    Wynik w;
    QDate m(odMiesiaca.year(), odMiesiaca.month(), 1);
    const QDate ostatni(doMiesiaca.year(), doMiesiaca.month(), 1);
    if (!m.isValid() || !ostatni.isValid() || ostatni < m) {
        w.blad = QStringLiteral("Podaj poprawny zakres miesięcy.");
        return w;
    }
    if ((ostatni.year() - m.year()) * 12 + ostatni.month() - m.month() + 1 > MaksMiesiecy) {
        w.blad = QStringLiteral("Jednorazowo można pobrać kursy najwyżej %1 miesięcy.")
                     .arg(MaksMiesiecy);
        return w;
    }
    for (; m <= ostatni; m = m.addMonths(1)) {
        const QString nazwa = m.toString(QStringLiteral("MM.yyyy"));
        const QDate koniec = m.addMonths(1).addDays(-1);
        const QDate roboczy = swieta::ostatniDzienRoboczy(m.year(), m.month());
        if (dzis < roboczy) {
            w.blad = QStringLiteral("Kurs z ostatniego dnia roboczego miesiąca %1 (%2) nie jest "
                                    "jeszcze znany.")
                         .arg(nazwa, FormatDaty(roboczy));
            return w;
        }
        const OdpowiedzHttps odp =
            klient_.get(QUrl(adresZapytania(m, koniec)), {{"Accept", "application/xml"}});
        if (odp.status == 404) {
            w.blad = QStringLiteral("NBP nie podaje kursu euro z miesiąca %1.").arg(nazwa);
            return w;
        }
        if (!odp.ok()) {
            w.blad = QStringLiteral("Nie udało się pobrać kursów euro z NBP (%1): %2")
                         .arg(nazwa, odp.blad);
            return w;
        }
        auto odczyt = czytajOdpowiedz(odp.body);
        if (const QString* blad = std::get_if<QString>(&odczyt)) {
            w.blad = *blad;
            return w;
        }
        const std::optional<kursy::KursEur> k =
            kursy::kursMiesiaca(std::get<std::vector<kursy::KursEur>>(odczyt), m);
        if (!k) {
            w.blad = QStringLiteral("NBP nie podaje kursu euro z miesiąca %1.").arg(nazwa);
            return w;
        }
        // Before the month is over, only the table of its last working day will do: an
        // earlier one may still be followed by that day's.
        if (dzis <= koniec && k->data != roboczy) {
            w.blad = QStringLiteral("Tabela kursów NBP z %1 nie jest jeszcze opublikowana.")
                         .arg(FormatDaty(roboczy));
            return w;
        }
        w.kursy.push_back(*k);
    }
    w.ok = true;
    return w;
}
