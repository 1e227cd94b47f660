#include "StawkiOdsetek.h"

#include "Attachment.h"
#include "Error.h"
#include "Statement.h"
#include "Transaction.h"

namespace stawki {
namespace {

QString kod(odsetki::Rodzaj r) {
    return r == odsetki::Rodzaj::Handlowe ? QStringLiteral("H") : QStringLiteral("C");
}

Money naKwote(int setne) {
    return Money::fromRaw(static_cast<std::int64_t>(setne) * 100);
}

int zKwoty(const db::Value& v) {
    return static_cast<int>(v.toMoney().raw() / 100);
}

db::Value zozLubNull(const std::optional<int>& s) {
    return s ? db::Value(naKwote(*s)) : db::Value();
}

QString dzien(const QDate& d) {
    return d.toString(QStringLiteral("dd.MM.yyyy"));
}

const QString ZmienionaPrzezInnego =
    QStringLiteral("Tę stawkę zmienił lub usunął w tym czasie inny użytkownik; nic nie zapisano.\r"
                   "Otwórz tabelę ponownie.");

QString sprawdz(odsetki::Rodzaj rodzaj, const odsetki::Stawka& s) {
    if (!s.od.isValid())
        return QStringLiteral("Podaj datę, od której obowiązuje stawka.");
    if (s.stawka <= 0 || s.stawka >= 10000)
        return QStringLiteral("Podaj stawkę w procentach, większą od zera i mniejszą niż 100.");
    if (rodzaj == odsetki::Rodzaj::Handlowe) {
        if (!odsetki::poczatekPolrocza(s.od))
            return QStringLiteral("Stawka odsetek w transakcjach handlowych obowiązuje przez całe "
                                  "półrocze:\rpodaj datę 1 stycznia albo 1 lipca.");
        if (s.stawkaZoz && (*s.stawkaZoz <= 0 || *s.stawkaZoz >= 10000))
            return QStringLiteral("Podaj stawkę dla podmiotu leczniczego w procentach, większą od "
                                  "zera i mniejszą niż 100.");
    } else if (s.stawkaZoz) {
        return QStringLiteral("Stawka dla podmiotu leczniczego dotyczy tylko odsetek w "
                              "transakcjach handlowych.");
    }
    return {};
}

QString zajety(const odsetki::Stawka& s) {
    return QStringLiteral("Stawka obowiązująca od %1 jest już w tabeli.").arg(dzien(s.od));
}

// Runs one write in a transaction of its own; the number of rows it changed, or the warning
// for a duplicate day or a conflict with another workstation.
struct Zapis {
    std::uint64_t wierszy = 0;
    QString uwaga;
};
Zapis zapisz(db::Attachment& att, const QString& sql, const std::vector<db::Value>& wartosci,
             const odsetki::Stawka& nowa) {
    db::Transaction tr(att, db::Isolation::ReadCommittedNoRecVersion);
    tr.start();
    try {
        db::Statement s(tr, sql);
        s.bindAll(wartosci);
        const std::uint64_t n = s.execute();
        if (n == 0) {
            tr.rollback();
            return {0, ZmienionaPrzezInnego};
        }
        tr.commit();
        return {n, {}};
    } catch (const db::Error& e) {
        if (tr.active()) {
            try {
                tr.rollback();
            } catch (const db::Error&) {
            }
        }
        if (e.isDuplicate())
            return {0, zajety(nowa)};
        if (e.isConflict())
            return {0, ZmienionaPrzezInnego};
        throw;
    }
}

// The row as it was read: any change by another workstation makes the condition miss.
const QString WarunekStarej = QStringLiteral(
    " WHERE RODZAJ = ? AND OD = ? AND STAWKA = ? AND STAWKA_ZOZ IS NOT DISTINCT FROM ? "
    "AND DO_SPRAWDZENIA = ?");

std::vector<db::Value> wartosciStarej(odsetki::Rodzaj rodzaj, const odsetki::Stawka& s) {
    return {kod(rodzaj), Date(s.od), naKwote(s.stawka), zozLubNull(s.stawkaZoz),
            s.doSprawdzenia ? QStringLiteral("T") : QStringLiteral("N")};
}

} // namespace

QString nazwaTabeli(odsetki::Rodzaj rodzaj) {
    return rodzaj == odsetki::Rodzaj::Handlowe
               ? QStringLiteral("Odsetki za opóźnienie w transakcjach handlowych")
               : QStringLiteral("Odsetki ustawowe za opóźnienie");
}

odsetki::Tabele czytajTabele(db::Attachment& att) {
    db::Transaction tr(att, db::Isolation::ReadCommitted);
    tr.start();
    db::Statement s(tr, QStringLiteral("SELECT RODZAJ, OD, STAWKA, STAWKA_ZOZ, DO_SPRAWDZENIA "
                                       "FROM STAWKA_ODSETEK ORDER BY RODZAJ, OD"));
    odsetki::Tabele t;
    db::Cursor c = s.open();
    while (c.next()) {
        odsetki::Stawka st;
        st.od = c["OD"].toDate().qdate();
        st.stawka = zKwoty(c["STAWKA"]);
        if (!c["STAWKA_ZOZ"].isNull())
            st.stawkaZoz = zKwoty(c["STAWKA_ZOZ"]);
        st.doSprawdzenia = c["DO_SPRAWDZENIA"].toString() == QStringLiteral("T");
        (c["RODZAJ"].toString() == QStringLiteral("H") ? t.handlowe : t.ustawowe).push_back(st);
    }
    c.close();
    tr.commit();
    return t;
}

QString dopiszStawke(db::Attachment& att, odsetki::Rodzaj rodzaj, const odsetki::Stawka& s) {
    if (const QString u = sprawdz(rodzaj, s); !u.isEmpty())
        return u;
    const Zapis z = zapisz(att,
                           QStringLiteral("INSERT INTO STAWKA_ODSETEK (RODZAJ, OD, STAWKA, "
                                          "STAWKA_ZOZ, DO_SPRAWDZENIA) VALUES (?, ?, ?, ?, ?)"),
                           wartosciStarej(rodzaj, s), s);
    return z.uwaga;
}

QString poprawStawke(db::Attachment& att, odsetki::Rodzaj rodzaj, const odsetki::Stawka& stara,
                     const odsetki::Stawka& nowa) {
    if (const QString u = sprawdz(rodzaj, nowa); !u.isEmpty())
        return u;
    std::vector<db::Value> v = {Date(nowa.od), naKwote(nowa.stawka), zozLubNull(nowa.stawkaZoz),
                                nowa.doSprawdzenia ? QStringLiteral("T") : QStringLiteral("N")};
    for (db::Value& w : wartosciStarej(rodzaj, stara))
        v.push_back(std::move(w));
    return zapisz(att,
                  QStringLiteral("UPDATE STAWKA_ODSETEK SET OD = ?, STAWKA = ?, STAWKA_ZOZ = ?, "
                                 "DO_SPRAWDZENIA = ?") +
                      WarunekStarej,
                  v, nowa)
        .uwaga;
}

QString usunStawke(db::Attachment& att, odsetki::Rodzaj rodzaj, const odsetki::Stawka& stara) {
    return zapisz(att, QStringLiteral("DELETE FROM STAWKA_ODSETEK") + WarunekStarej,
                  wartosciStarej(rodzaj, stara), stara)
        .uwaga;
}

std::optional<int> domyslnaStawkaZoz(const QDate& od, int stawka) {
    if (od < QDate(2020, 1, 1) || stawka <= 200)
        return std::nullopt;
    return stawka - 200;
}

} // namespace stawki
