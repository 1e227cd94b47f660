#include "Commands.h"

#include "DaneWindykacji.h"
#include "Dokumenty.h"
#include "NotyOdsetkowe.h"
#include "SeriaDokumentow.h"
#include "Zakonczenie.h"

#include <QLocale>

namespace cli {

bool jedenPlikPdf(const QString& pdf) {
    return pdf.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive);
}

ZlecenieWindykacji czytajZlecenieWindykacji(const QString& co, Args& args) {
    ZlecenieWindykacji z;
    z.json = args.flag(QStringLiteral("json"));
    z.pdf = args.option(QStringLiteral("pdf"));
    const QString doDnia = args.option(QStringLiteral("to"));
    const QString naDzien = args.option(QStringLiteral("as-of"));
    const QString ponad = args.option(QStringLiteral("overdue"));
    const QString dni = args.option(QStringLiteral("days"));
    const QString data = args.option(QStringLiteral("date"));
    z.baza = connectionFromArgs(args);
    const QStringList pos = args.positional();
    if (z.json && !z.pdf.isEmpty())
        throw UsageError("--json writes to standard output, not to a file");
    auto liczbaDni = [](const QString& t, const char* opcja) {
        bool ok = false;
        const int n = t.trimmed().toInt(&ok);
        if (!ok || n < 0 || n > 3650)
            throw Refused(QStringLiteral("Liczba dni w --%1 musi być liczbą od 0 do 3650: „%2”.")
                              .arg(QString::fromLatin1(opcja), t));
        return n;
    };
    z.dataWystawienia =
        data.isEmpty() ? QDate::currentDate() : dataZ(data, QStringLiteral("--date"));
    if (co == QStringLiteral("interest")) {
        z.co = ZlecenieWindykacji::Co::Odsetki;
        if (pos.size() != 1)
            throw UsageError("expected one contractor identifier");
        if (doDnia.isEmpty())
            throw UsageError("expected --to YYYY-MM-DD");
        if (!naDzien.isEmpty() || !ponad.isEmpty() || !dni.isEmpty() || !data.isEmpty())
            throw UsageError("interest takes KLIENTID and --to only");
        z.klientId = klientIdZ(pos[0]);
        z.doDnia = dataZ(doDnia, QStringLiteral("--to"));
        z.dataWystawienia = QDate::currentDate();
        return z;
    }
    if (!pos.isEmpty())
        throw UsageError("unexpected argument: " + pos[0].toStdString());
    if (co == QStringLiteral("reminders")) {
        z.co = ZlecenieWindykacji::Co::Wezwania;
        if (ponad.isEmpty())
            throw UsageError("expected --overdue N");
        if (!doDnia.isEmpty() || !naDzien.isEmpty())
            throw UsageError("a reminder is dated by --date");
        z.ponadDni = liczbaDni(ponad, "overdue");
        if (!dni.isEmpty())
            z.terminDni = liczbaDni(dni, "days");
        z.doDnia = z.dataWystawienia;
        return z;
    }
    z.co = ZlecenieWindykacji::Co::Potwierdzenia;
    if (naDzien.isEmpty())
        throw UsageError("expected --as-of YYYY-MM-DD");
    if (!doDnia.isEmpty() || !ponad.isEmpty() || !dni.isEmpty())
        throw UsageError("confirmations take --as-of and --date only");
    z.doDnia = dataZ(naDzien, QStringLiteral("--as-of"));
    return z;
}

namespace {

QString iso(const QDate& d) {
    return d.toString(Qt::ISODate);
}

QString kwota(Money m) {
    return m.format(QLocale());
}

// The database for a reading, with its long statements cancelled by SIGTERM and the like.
class Polaczenie {
public:
    explicit Polaczenie(const db::ConnectionParams& p) {
        att.open(p);
        requireCurrentSchema(att);
        zakonczenie::setCancel([this] { att.cancelOperation(); });
    }
    ~Polaczenie() { zakonczenie::setCancel({}); }
    db::Attachment att;
};

// A run's documents, or its reason refused (exit 2).
template <typename T> T albo(std::variant<T, QString> v) {
    if (const QString* odmowa = std::get_if<QString>(&v))
        throw Refused(*odmowa);
    return std::get<T>(std::move(v));
}

} // namespace

// The interest a note to the day would charge, without booking anything: one item for each
// payment made after its invoice's due date, one for what is unpaid on the day.
int interest(Args args) {
    const QStringList argumenty = args.remaining();
    const ZlecenieWindykacji z = czytajZlecenieWindykacji(QStringLiteral("interest"), args);
    if (!z.pdf.isEmpty())
        return drukujPrzezBrevantPrint(QStringList{QStringLiteral("interest")} + argumenty);
    windykacja::WynikOdsetek w;
    {
        Polaczenie p(z.baza);
        w = albo(noty::odsetkiDoNaliczenia(p.att, z.klientId, z.doDnia));
    }
    if (z.json) {
        QString t = QStringLiteral("{\"contractor\":%1,\"to\":\"%2\",\"items\":[")
                        .arg(z.klientId)
                        .arg(iso(z.doDnia));
        for (std::size_t i = 0; i < w.pozycje.size(); ++i) {
            const windykacja::PozycjaOdsetek& p = w.pozycje[i];
            if (i > 0)
                t += u',';
            t += QStringLiteral("{\"number\":") + jsonString(p.numer) +
                 QStringLiteral(",\"due\":\"") + iso(p.termin) + QStringLiteral("\",\"paid\":") +
                 (p.zaplata ? u'"' + iso(*p.zaplata) + u'"' : QStringLiteral("null")) +
                 QStringLiteral(",\"amount\":\"") + p.kwota.toFixed2() +
                 QStringLiteral("\",\"days\":%1,\"interest\":\"").arg(p.dni) +
                 p.odsetki.toFixed2() + QStringLiteral("\",\"compensationEUR\":") +
                 (p.rekompensataEur > 0 ? QStringLiteral("\"%1\"").arg(p.rekompensataEur)
                                        : QStringLiteral("null")) +
                 u'}';
        }
        out(t + QStringLiteral("],\"interest\":\"") + w.suma.toFixed2() + QStringLiteral("\"}"));
        return ExitOk;
    }
    out(QStringLiteral("Odsetki za opóźnienie do dnia %1 (kontrahent %2)")
            .arg(z.doDnia.toString(QStringLiteral("dd.MM.yyyy")))
            .arg(z.klientId));
    out(QStringLiteral("Faktura\tTermin\tZapłata\tKwota\tDni\tOdsetki\tRekompensata EUR"));
    for (const windykacja::PozycjaOdsetek& p : w.pozycje)
        out(QStringList{p.numer, p.termin.toString(QStringLiteral("dd.MM.yyyy")),
                        p.zaplata ? p.zaplata->toString(QStringLiteral("dd.MM.yyyy"))
                                  : QStringLiteral("nie zapłacono"),
                        kwota(p.kwota), QString::number(p.dni), kwota(p.odsetki),
                        p.rekompensataEur > 0 ? QString::number(p.rekompensataEur) : QString()}
                .join(u'\t'));
    out(QStringLiteral("Razem odsetki: ") + kwota(w.suma));
    return ExitOk;
}

// Reminders to every contractor with invoices overdue more than N days.
int reminders(Args args) {
    const QStringList argumenty = args.remaining();
    const ZlecenieWindykacji z = czytajZlecenieWindykacji(QStringLiteral("reminders"), args);
    if (!z.pdf.isEmpty())
        return drukujPrzezBrevantPrint(QStringList{QStringLiteral("reminders")} + argumenty);
    dokumenty::ParametryWezwania p;
    p.dataWystawienia = z.dataWystawienia;
    p.ponadDni = z.ponadDni;
    p.terminDni = z.terminDni;
    std::vector<dokumenty::WezwanieDoZaplaty> wezwania;
    {
        Polaczenie pol(z.baza);
        wezwania = albo(windykacja::wezwania(pol.att, p, 0)).dokumenty;
    }
    if (z.json) {
        QString t = QStringLiteral("{\"date\":\"%1\",\"overdue\":%2,\"reminders\":[")
                        .arg(iso(z.dataWystawienia))
                        .arg(z.ponadDni);
        for (std::size_t i = 0; i < wezwania.size(); ++i) {
            const dokumenty::WezwanieDoZaplaty& w = wezwania[i];
            if (i > 0)
                t += u',';
            t += QStringLiteral("{\"contractor\":%1,\"name\":").arg(w.kontrahent.klientId) +
                 jsonString(w.kontrahent.nazwa) + QStringLiteral(",\"invoices\":[");
            for (std::size_t j = 0; j < w.pozycje.size(); ++j) {
                const dokumenty::PozycjaWezwania& f = w.pozycje[j];
                if (j > 0)
                    t += u',';
                t += QStringLiteral("{\"number\":") + jsonString(f.numer) +
                     QStringLiteral(",\"due\":\"") + iso(f.termin) +
                     QStringLiteral("\",\"remaining\":\"") + f.pozostalo.toFixed2() +
                     QStringLiteral("\",\"daysOverdue\":%1,\"interest\":\"").arg(f.dniZwloki) +
                     f.odsetki.toFixed2() + QStringLiteral("\"}");
            }
            t += QStringLiteral("],\"remaining\":\"") + w.sumaPozostalo.toFixed2() +
                 QStringLiteral("\",\"credit\":\"") + w.nadplata.toFixed2() +
                 QStringLiteral("\",\"interest\":\"") + w.sumaOdsetek.toFixed2() +
                 QStringLiteral("\",\"total\":\"") + w.razem.toFixed2() +
                 QStringLiteral("\",\"payBy\":\"") + iso(w.terminZaplaty) + QStringLiteral("\"}");
        }
        out(t + QStringLiteral("]}"));
        return ExitOk;
    }
    out(QStringLiteral("Wezwania do zapłaty z dnia %1: faktury zaległe ponad %2 dni")
            .arg(z.dataWystawienia.toString(QStringLiteral("dd.MM.yyyy")))
            .arg(z.ponadDni));
    out(QStringLiteral("Kontrahent\tFaktur\tZaległość\tOdsetki\tDo zapłaty"));
    for (const dokumenty::WezwanieDoZaplaty& w : wezwania)
        out(QStringList{w.kontrahent.nazwa, QString::number(w.pozycje.size()),
                        kwota(w.sumaPozostalo), kwota(w.sumaOdsetek), kwota(w.razem)}
                .join(u'\t'));
    out(QStringLiteral("Wezwań: %1").arg(wezwania.size()));
    return ExitOk;
}

// Balance confirmations of every contractor whose balance on the day is not zero.
int confirmations(Args args) {
    const QStringList argumenty = args.remaining();
    const ZlecenieWindykacji z = czytajZlecenieWindykacji(QStringLiteral("confirmations"), args);
    if (!z.pdf.isEmpty())
        return drukujPrzezBrevantPrint(QStringList{QStringLiteral("confirmations")} + argumenty);
    std::vector<dokumenty::PotwierdzenieSalda> potw;
    {
        Polaczenie pol(z.baza);
        potw = albo(windykacja::potwierdzenia(pol.att, z.doDnia, z.dataWystawienia, 0)).dokumenty;
    }
    if (z.json) {
        QString t = QStringLiteral("{\"asOf\":\"%1\",\"confirmations\":[").arg(iso(z.doDnia));
        for (std::size_t i = 0; i < potw.size(); ++i) {
            const dokumenty::PotwierdzenieSalda& p = potw[i];
            if (i > 0)
                t += u',';
            t += QStringLiteral("{\"contractor\":%1,\"name\":").arg(p.kontrahent.klientId) +
                 jsonString(p.kontrahent.nazwa) + QStringLiteral(",\"invoices\":\"") +
                 p.sumaFaktur.toFixed2() + QStringLiteral("\",\"credits\":\"") +
                 p.sumaNierozliczonych.toFixed2() + QStringLiteral("\",\"balance\":\"") +
                 p.saldo.toFixed2() + QStringLiteral("\"}");
        }
        out(t + QStringLiteral("]}"));
        return ExitOk;
    }
    out(QStringLiteral("Potwierdzenia salda na dzień %1")
            .arg(z.doDnia.toString(QStringLiteral("dd.MM.yyyy"))));
    out(QStringLiteral("Kontrahent\tFaktury otwarte\tWpłaty nierozliczone\tSaldo"));
    for (const dokumenty::PotwierdzenieSalda& p : potw)
        out(QStringList{p.kontrahent.nazwa, kwota(p.sumaFaktur), kwota(p.sumaNierozliczonych),
                        kwota(p.saldo)}
                .join(u'\t'));
    out(QStringLiteral("Potwierdzeń: %1").arg(potw.size()));
    return ExitOk;
}

} // namespace cli
