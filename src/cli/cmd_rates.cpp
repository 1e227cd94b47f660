#include "Commands.h"

#include "Attachment.h"
#include "KlientNbp.h"
#include "Konfig.h"
#include "KursyEur.h"
#include "StawkiOdsetek.h"
#include "Zakonczenie.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSslCertificate>

#include <stdexcept>

namespace cli {
namespace {

// "9.50": the JSON form of a rate in hundredths of a percent.
QString stawkaJson(int setne) {
    return QStringLiteral("%1.%2").arg(setne / 100).arg(setne % 100, 2, 10, QLatin1Char('0'));
}

QString kursJson(Money kurs) {
    const std::int64_t r = kurs.raw();
    return QStringLiteral("%1.%2")
        .arg(r / Money::Scale)
        .arg(r % Money::Scale, 4, 10, QLatin1Char('0'));
}

QDate dzienZ(const QString& tekst, const char* co) {
    const QDate d = QDate::fromString(tekst.trimmed(), QStringLiteral("yyyy-MM-dd"));
    if (!d.isValid())
        throw UsageError(std::string(co) + " must be YYYY-MM-DD: " + tekst.toStdString());
    return d;
}

QDate miesiacZ(const QString& tekst) {
    const QDate d =
        QDate::fromString(tekst.trimmed() + QStringLiteral("-01"), QStringLiteral("yyyy-MM-dd"));
    if (!d.isValid())
        throw UsageError("a month must be YYYY-MM: " + tekst.toStdString());
    return d;
}

int stawkaZ(const QString& tekst) {
    const std::optional<int> s = odsetki::parsujStawke(tekst);
    if (!s)
        throw Refused(QStringLiteral("Błędna stawka: %1 (podaj procent, np. 11.25).").arg(tekst));
    return *s;
}

void wypiszStawki(const odsetki::Tabele& t, bool json) {
    if (json) {
        auto tablica = [](const std::vector<odsetki::Stawka>& stawki, bool zZoz) {
            QJsonArray a;
            for (const odsetki::Stawka& s : stawki) {
                QJsonObject o{{QStringLiteral("from"), s.od.toString(Qt::ISODate)},
                              {QStringLiteral("rate"), stawkaJson(s.stawka)},
                              {QStringLiteral("toCheck"), s.doSprawdzenia}};
                if (zZoz)
                    o.insert(QStringLiteral("healthcare"),
                             s.stawkaZoz ? QJsonValue(stawkaJson(*s.stawkaZoz)) : QJsonValue());
                a.append(o);
            }
            return a;
        };
        out(QString::fromUtf8(
            QJsonDocument(QJsonObject{{QStringLiteral("commercial"), tablica(t.handlowe, true)},
                                      {QStringLiteral("civil"), tablica(t.ustawowe, false)}})
                .toJson(QJsonDocument::Indented)
                .trimmed()));
        return;
    }
    auto tabela = [](const QString& tytul, const std::vector<odsetki::Stawka>& stawki) {
        out(tytul);
        for (const odsetki::Stawka& s : stawki) {
            QStringList w = {s.od.toString(Qt::ISODate), odsetki::formatStawki(s.stawka)};
            if (s.stawkaZoz)
                w << QStringLiteral("podmiot leczniczy ") + odsetki::formatStawki(*s.stawkaZoz);
            if (s.doSprawdzenia)
                w << QStringLiteral("do sprawdzenia");
            out(w.join(u'\t'));
        }
    };
    tabela(stawki::nazwaTabeli(odsetki::Rodzaj::Handlowe), t.handlowe);
    out(QString());
    tabela(stawki::nazwaTabeli(odsetki::Rodzaj::Ustawowe), t.ustawowe);
}

void wypiszKursy(const std::vector<kursy::KursEur>& k, bool json) {
    if (json) {
        QJsonArray a;
        for (const kursy::KursEur& x : k)
            a.append(QJsonObject{
                {QStringLiteral("date"), x.data.toString(Qt::ISODate)},
                {QStringLiteral("rate"), kursJson(x.kurs)},
                {QStringLiteral("table"), x.tabela.isEmpty() ? QJsonValue() : QJsonValue(x.tabela)},
                {QStringLiteral("source"),
                 x.reczny ? QStringLiteral("manual") : QStringLiteral("nbp")}});
        out(QString::fromUtf8(QJsonDocument(QJsonObject{{QStringLiteral("eur"), a}})
                                  .toJson(QJsonDocument::Indented)
                                  .trimmed()));
        return;
    }
    for (const kursy::KursEur& x : k)
        out(QStringList{x.data.toString(Qt::ISODate), kursy::formatKursu(x.kurs), x.tabela,
                        x.reczny ? QStringLiteral("wpisany ręcznie") : QStringLiteral("NBP")}
                .join(u'\t'));
}

// Options read before the positional arguments, which refuse any option left over.
struct Opcje {
    bool json = false;
    QString zoz, url, ca;
    db::ConnectionParams baza;
};

void ustawNbp(const Opcje& o, TKlientNbp& nbp) {
    nbp.setAdres(o.url.isEmpty() ? NbpAdres() : o.url);
    const QString& ca = o.ca;
    if (ca.isEmpty())
        return;
    QFile f(ca);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error("Nie udało się otworzyć pliku certyfikatu: " + ca.toStdString());
    const QList<QSslCertificate> certs = QSslCertificate::fromData(f.readAll());
    if (certs.isEmpty())
        throw std::runtime_error("Plik nie zawiera certyfikatu PEM: " + ca.toStdString());
    nbp.klient().dodajZaufaneCA(certs);
}

// Opens the database for one short read or write; a stop request cancels what runs.
db::Attachment& polacz(db::Attachment& att, const db::ConnectionParams& params) {
    att.open(params);
    requireCurrentSchema(att);
    zakonczenie::setCancel([&att] { att.cancelOperation(); });
    return att;
}

struct ZwolnijPrzerwanie {
    ~ZwolnijPrzerwanie() { zakonczenie::setCancel({}); }
};

int kursyEur(const Opcje& o, QStringList pos) {
    pos.removeFirst(); // "eur"
    if (pos.isEmpty()) {
        db::Attachment att;
        const ZwolnijPrzerwanie zwolnij;
        wypiszKursy(kursy::czytajKursy(polacz(att, o.baza)), o.json);
        return ExitOk;
    }
    const QString co = pos.takeFirst();
    if (co == QStringLiteral("add")) {
        if (pos.size() != 2)
            throw UsageError("expected: rates eur add DATE RATE");
        const QDate data = dzienZ(pos[0], "DATE");
        const std::optional<Money> kurs = kursy::parsujKurs(pos[1]);
        if (!kurs)
            throw Refused(
                QStringLiteral("Błędny kurs euro: %1 (podaj złote, np. 4.3125).").arg(pos[1]));
        db::Attachment att;
        const ZwolnijPrzerwanie zwolnij;
        const QString uwaga = kursy::dopiszKursRecznie(polacz(att, o.baza), data, *kurs);
        if (!uwaga.isEmpty())
            throw Refused(uwaga);
        out(QStringLiteral("Zapisano kurs euro z dnia %1: %2.")
                .arg(data.toString(Qt::ISODate), kursy::formatKursu(*kurs)));
        return ExitOk;
    }
    if (co == QStringLiteral("fetch")) {
        if (pos.isEmpty() || pos.size() > 2)
            throw UsageError("expected: rates eur fetch FROM-MONTH [TO-MONTH]");
        const QDate od = miesiacZ(pos[0]);
        const QDate doM = pos.size() == 2 ? miesiacZ(pos[1]) : od;
        TKlientNbp nbp;
        ustawNbp(o, nbp);
        // The network first; the database only for the short write afterwards.
        const TKlientNbp::Wynik w = nbp.pobierzKursyMiesiecy(od, doM);
        int nowe = 0;
        if (!w.kursy.empty()) {
            db::Attachment att;
            const ZwolnijPrzerwanie zwolnij;
            nowe = kursy::zapiszKursyNbp(polacz(att, o.baza), w.kursy);
        }
        wypiszKursy(w.kursy, o.json);
        if (!o.json)
            out(QStringLiteral("Pobrano z NBP kursów: %1 (nowych w tabeli: %2).")
                    .arg(w.kursy.size())
                    .arg(nowe));
        if (!w.ok)
            throw std::runtime_error(w.blad.toStdString());
        return ExitOk;
    }
    throw UsageError("unknown: rates eur " + co.toStdString());
}

} // namespace

// The interest tables and the euro rates: listed, a rate added, euro rates fetched.
int rates(Args args) {
    Opcje o;
    o.json = args.flag(QStringLiteral("json"));
    o.zoz = args.option(QStringLiteral("healthcare"));
    o.url = args.option(QStringLiteral("url"));
    o.ca = args.option(QStringLiteral("ca"));
    o.baza = connectionFromArgs(args);
    const QStringList pos = args.positional();
    if (!pos.isEmpty() && pos[0] == QStringLiteral("eur")) {
        if (!o.zoz.isEmpty())
            throw UsageError("--healthcare belongs to commercial rates");
        return kursyEur(o, pos);
    }
    if (pos.isEmpty()) {
        db::Attachment att;
        const ZwolnijPrzerwanie zwolnij;
        wypiszStawki(stawki::czytajTabele(polacz(att, o.baza)), o.json);
        return ExitOk;
    }
    if (pos[0] != QStringLiteral("add") || pos.size() != 4)
        throw UsageError("expected: rates add commercial|civil FROM PERCENT");
    odsetki::Rodzaj rodzaj;
    if (pos[1] == QStringLiteral("commercial"))
        rodzaj = odsetki::Rodzaj::Handlowe;
    else if (pos[1] == QStringLiteral("civil"))
        rodzaj = odsetki::Rodzaj::Ustawowe;
    else
        throw UsageError("expected commercial or civil, not " + pos[1].toStdString());
    odsetki::Stawka s;
    s.od = dzienZ(pos[2], "FROM");
    s.stawka = stawkaZ(pos[3]);
    if (!o.zoz.isEmpty())
        s.stawkaZoz = stawkaZ(o.zoz);
    else if (rodzaj == odsetki::Rodzaj::Handlowe)
        s.stawkaZoz = stawki::domyslnaStawkaZoz(s.od, s.stawka);
    db::Attachment att;
    const ZwolnijPrzerwanie zwolnij;
    const QString uwaga = stawki::dopiszStawke(polacz(att, o.baza), rodzaj, s);
    if (!uwaga.isEmpty())
        throw Refused(uwaga);
    QString opis = QStringLiteral("Dopisano stawkę %1% od %2")
                       .arg(odsetki::formatStawki(s.stawka), s.od.toString(Qt::ISODate));
    if (s.stawkaZoz)
        opis += QStringLiteral(" (publiczny podmiot leczniczy: %1%)")
                    .arg(odsetki::formatStawki(*s.stawkaZoz));
    out(opis + u'.');
    return ExitOk;
}

} // namespace cli
