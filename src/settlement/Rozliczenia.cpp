#include "Rozliczenia.h"

#include "Dataset.h"
#include "Error.h"
#include "Statement.h"
#include "Transaction.h"
#include "Transakcja.h"
#include "fdm.h"

#include <QLocale>

#include <cstdlib>

namespace {
const QString Saldo = QStringLiteral("SALDO");
const QString Nazwa = QStringLiteral("NAZWA");

// Whole złoty and grosze of an amount rounded to grosze, without its sign.
std::pair<std::int64_t, std::int64_t> zlotyGrosze(Money kwota) {
    const std::int64_t c = std::llabs(kwota.cents());
    return {c / 100, c % 100};
}
} // namespace

QString FormatWaluty(Money kwota, const QLocale& locale) {
    // The locale's own pattern for a currency amount, with our exact figure put in its place.
    const QString wzor = locale.toCurrencyString(qlonglong(7));
    const qsizetype at = wzor.indexOf(u'7');
    if (at < 0)
        return kwota.format(locale);
    return wzor.left(at) + kwota.format(locale) + wzor.mid(at + 1);
}

QString FormatWaluty(Money kwota) {
    return FormatWaluty(kwota, QLocale());
}

QString FormatListy(Money kwota, const QLocale& locale) {
    const auto [zl, gr] = zlotyGrosze(kwota);
    QString calosc = QString::number(zl);
    // One blank before the last three digits; below a thousand the blank leads.
    calosc =
        calosc.size() > 3 ? calosc.left(calosc.size() - 3) + u' ' + calosc.right(3) : u' ' + calosc;
    return (kwota.cents() < 0 ? QStringLiteral("-") : QString()) + calosc + locale.decimalPoint() +
           QStringLiteral("%1").arg(gr, 2, 10, QLatin1Char('0'));
}

QString FormatListy(Money kwota) {
    return FormatListy(kwota, QLocale());
}

QString LiniaSalda(Money saldo) {
    if (saldo >= Money())
        return QStringLiteral(" Do zapłaty: ") + FormatWaluty(saldo);
    return QStringLiteral(" Nadpłata: ") + FormatWaluty(-saldo);
}

QString LiniaZestawienia(Money suma) {
    if (suma >= Money())
        return QStringLiteral(" Razem kontrahenci - suma należności: ") + FormatWaluty(suma);
    return QStringLiteral(" Razem kontrahenci - nadpłata: ") + FormatWaluty(-suma);
}

PrzyciskiRozliczen UpdateBtns(const Dataset& klient, const Dataset& transKL) {
    PrzyciskiRozliczen p;
    if (!klient.isOpen() || !transKL.isOpen())
        return p;
    // A contractor is chosen: a search that found nothing leaves none current.
    p.dopisz = klient.current() != nullptr;
    p.popraw = !transKL.isEmpty();
    p.usun = p.popraw;
    const QString zrodlo = transKL.field(QStringLiteral("ZRODLO")).toString();
    p.drukuj = p.popraw && zrodlo == u"U" &&
               transKL.field(QStringLiteral("ZAPLACONO")).toMoney() > Money();
    p.przeksieguj = p.popraw && zrodlo == u"W";
    return p;
}

Money SumaSald(const Dataset& salda) {
    Money suma;
    for (int i = 0; i < salda.recordCount(); ++i)
        suma += salda.row(i)[Saldo].toMoney();
    return suma;
}

std::vector<WierszSalda> WierszeListy(const Dataset& lista) {
    std::vector<WierszSalda> wiersze;
    wiersze.reserve(static_cast<size_t>(lista.recordCount()));
    for (int i = 0; i < lista.recordCount(); ++i) {
        const db::Row& r = lista.row(i);
        wiersze.push_back({r[Nazwa].toString(), r[Saldo].toMoney()});
    }
    return wiersze;
}

std::vector<WierszSalda> CzytajListe(Tdm& dm, RodzajListy rodzaj) {
    switch (rodzaj) {
    case RodzajListy::Zestawienie:
        return dm.OtworzSalda() ? WierszeListy(dm.Salda) : std::vector<WierszSalda>{};
    case RodzajListy::Naleznosci:
        return dm.OtworzDluznicy() ? WierszeListy(dm.Dluznicy) : std::vector<WierszSalda>{};
    case RodzajListy::Nadplaty:
        return dm.OtworzNadplaty() ? WierszeListy(dm.Nadplaty) : std::vector<WierszSalda>{};
    }
    return {};
}

std::optional<DowodWplaty> CzytajDowodWplaty(Tdm& dm, int wpisId) {
    if (!dm.OtworzDowodWP(wpisId))
        return std::nullopt;
    const db::Row* r = dm.DowodWP.current();
    if (!r)
        return std::nullopt;
    DowodWplaty d;
    d.wpisId = (*r)[QStringLiteral("WPISID")].toInt();
    d.klientId = (*r)[QStringLiteral("KLIENTID")].toInt();
    d.nazwa = (*r)[Nazwa].toString();
    d.opis = (*r)[QStringLiteral("OPIS_TR")].toString();
    const db::Value zaplacono = (*r)[QStringLiteral("ZAPLACONO")];
    if (!zaplacono.isNull())
        d.zaplacono = zaplacono.toMoney();
    d.slownie = (*r)[QStringLiteral("SLOWNIE")].toString();
    return d;
}

int BiezacyKlientId(const Tdm& dm) {
    if (!dm.Klient.isOpen())
        return 0;
    const db::Value id = dm.Klient.field(QStringLiteral("KLIENTID"));
    return id.isNull() ? 0 : id.toInt();
}

void UpdateTrans(Tdm& dm) {
    if (dm.Klient.isOpen())
        dm.OtworzTransKL(BiezacyKlientId(dm));
}

QString LiniaSaldaBiezacego(Tdm& dm) {
    // A search that found nothing leaves nobody chosen: no balance is nobody's zero.
    if (dm.Klient.isOpen() && !dm.Klient.isEmpty() && !dm.Klient.current())
        return QStringLiteral(" Nie wybrano kontrahenta");
    const int id = BiezacyKlientId(dm);
    Money saldo;
    if (id > 0) {
        try {
            saldo = dm.SaldoKlienta(id);
        } catch (const db::Error&) {
            // An unreadable balance reads as none, like the lists that fail to open.
        }
    }
    return LiniaSalda(saldo);
}

void RefreshTrans(Tdm& dm) {
    const db::Row* t = dm.TransKL.current();
    if (!t)
        return;
    const int klientId = (*t)[QStringLiteral("KLIENTID")].toInt();
    const int wpisId = (*t)[QStringLiteral("WPISID")].toInt();
    dm.OtworzTransKL(klientId);
    dm.TransKL.locate(QStringLiteral("WPISID"), wpisId);
}

void UsunTransakcje(Tdm& dm) {
    const db::Row* t = dm.TransKL.current();
    if (!t)
        return;
    ZapiszWiersz(dm.conn, QStringLiteral("DELETE FROM TRANS WHERE WPISID = ? AND KLIENTID = ?"),
                 {(*t)[QStringLiteral("WPISID")], (*t)[QStringLiteral("KLIENTID")]});
}

std::optional<QString> NazwaKlienta(Tdm& dm, int klientId) {
    db::Transaction tr(dm.conn, db::Isolation::ReadCommitted);
    tr.start();
    db::Statement st(tr, QStringLiteral("SELECT NAZWA FROM KLIENT WHERE KLIENTID = ?"));
    st.bindAll({klientId});
    db::Row r;
    const bool jest = st.fetchOne(r);
    tr.commit();
    if (!jest)
        return std::nullopt;
    return r[0].toString();
}
