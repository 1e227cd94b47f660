#include "Dziennik.h"

#include "Attachment.h"
#include "Statement.h"
#include "Transaction.h"

#include <QLocale>
#include <QStringList>

namespace dziennik {
namespace {
// RDB$SET_CONTEXT keeps at most 255 bytes; the log's columns take less.
void ustaw(db::Transaction& tr, const char* przestrzen, const char* nazwa, const QString& v) {
    db::Statement st(tr, QStringLiteral("SELECT RDB$SET_CONTEXT('%1', '%2', ?) FROM RDB$DATABASE")
                             .arg(QLatin1String(przestrzen), QLatin1String(nazwa)));
    st.bindAll({v.left(60)});
    db::Row r;
    st.fetchOne(r);
}
} // namespace

void UstawOperatora(db::Attachment& conn, const QString& nazwa) {
    db::Transaction tr(conn, db::Isolation::ReadCommitted);
    tr.start();
    ustaw(tr, "USER_SESSION", "BREVANT_OPERATOR", nazwa);
    tr.commit();
}

void UstawRodzaj(db::Transaction& tr, const QString& rodzaj) {
    ustaw(tr, "USER_TRANSACTION", "BREVANT_RODZAJ", rodzaj);
}

namespace {

std::optional<int> liczba(const db::Value& v) {
    return v.isNull() ? std::nullopt : std::optional<int>(v.toInt());
}
std::optional<Date> dzien(const db::Value& v) {
    return v.isNull() ? std::nullopt : std::optional<Date>(v.toDate());
}
std::optional<Money> kwota(const db::Value& v) {
    return v.isNull() ? std::nullopt : std::optional<Money>(v.toMoney());
}

StronaZmiany strona(const db::Row& r, const QString& koniec) {
    StronaZmiany s;
    s.klientId = liczba(r[QStringLiteral("KLIENTID_") + koniec]);
    s.klient = r[QStringLiteral("KLIENT_") + koniec].toString();
    s.data = dzien(r[QStringLiteral("DATA_") + koniec]);
    s.doZaplaty = kwota(r[QStringLiteral("DOZAPLATY_") + koniec]);
    s.zaplacono = kwota(r[QStringLiteral("ZAPLACONO_") + koniec]);
    s.opis = r[QStringLiteral("OPIS_") + koniec].toString();
    return s;
}

QString tekstDaty(const std::optional<Date>& d) {
    return d ? d->qdate().toString(QStringLiteral("dd.MM.yyyy")) : QStringLiteral("—");
}
QString tekstKwoty(const std::optional<Money>& m) {
    return m ? m->format(QLocale()) : QStringLiteral("—");
}
QString wCudzyslowie(const QString& t) {
    return QStringLiteral("„") + t + QStringLiteral("”");
}

template <typename T> bool jest(const std::optional<T>& v) {
    return v.has_value();
}
bool jest(const QString& v) {
    return !v.isEmpty();
}

// "nazwa przed → po", or "nazwa wartość" when nothing changed (or there is no after).
template <typename T, typename F>
void dodaj(QStringList& czesci, const QString& nazwa, const T& przed, const T* po, F tekst) {
    if (!po) {
        if (jest(przed))
            czesci << nazwa + u' ' + tekst(przed);
        return;
    }
    if (przed == *po) {
        if (jest(przed))
            czesci << nazwa + u' ' + tekst(przed);
        return;
    }
    czesci << nazwa + u' ' + tekst(przed) + QStringLiteral(" → ") + tekst(*po);
}

} // namespace

std::vector<WpisDziennika> CzytajDziennik(db::Attachment& conn, std::optional<Date> od,
                                          std::optional<Date> doDnia) {
    QString sql = QStringLiteral(
        "SELECT ID, CAST(KIEDY AS DATE) AS DZIEN, EXTRACT(HOUR FROM KIEDY) AS GODZ, "
        "EXTRACT(MINUTE FROM KIEDY) AS MINUTA, CAST(FLOOR(EXTRACT(SECOND FROM KIEDY)) AS INTEGER) "
        "AS SEKUNDA, OPERATOR, RODZAJ, OBIEKT, OBIEKT_ID, ZRODLO, KLIENTID_PRZED, KLIENT_PRZED, "
        "KLIENTID_PO, KLIENT_PO, DATA_PRZED, DATA_PO, DOZAPLATY_PRZED, DOZAPLATY_PO, "
        "ZAPLACONO_PRZED, ZAPLACONO_PO, OPIS_PRZED, OPIS_PO FROM DZIENNIK WHERE 1 = 1");
    std::vector<db::Value> params;
    if (od) {
        sql += QStringLiteral(" AND KIEDY >= CAST(? AS DATE)");
        params.emplace_back(*od);
    }
    if (doDnia) {
        sql += QStringLiteral(" AND KIEDY < DATEADD(1 DAY TO CAST(? AS DATE))");
        params.emplace_back(*doDnia);
    }
    sql += QStringLiteral(" ORDER BY ID");
    std::vector<WpisDziennika> wpisy;
    db::Transaction tr(conn, db::Isolation::ReadCommitted);
    tr.start();
    db::Statement st(tr, sql);
    st.bindAll(params);
    db::Cursor c = st.open();
    while (c.next()) {
        const db::Row& r = c.row();
        WpisDziennika w;
        w.id = r[QStringLiteral("ID")].toInt64();
        w.dzien = r[QStringLiteral("DZIEN")].toDate();
        w.czas = QTime(r[QStringLiteral("GODZ")].toInt(), r[QStringLiteral("MINUTA")].toInt(),
                       r[QStringLiteral("SEKUNDA")].toInt());
        w.operatorNazwa = r[QStringLiteral("OPERATOR")].toString();
        w.rodzaj = r[QStringLiteral("RODZAJ")].toString();
        w.obiekt = r[QStringLiteral("OBIEKT")].toString();
        w.obiektId = r[QStringLiteral("OBIEKT_ID")].toInt();
        w.zrodlo = r[QStringLiteral("ZRODLO")].toString().trimmed();
        w.przed = strona(r, QStringLiteral("PRZED"));
        // A deletion has no after; every other change names its contractor after it.
        if (!r[QStringLiteral("KLIENTID_PO")].isNull())
            w.po = strona(r, QStringLiteral("PO"));
        wpisy.push_back(std::move(w));
    }
    c.close();
    tr.commit();
    return wpisy;
}

QString OpisObiektu(const WpisDziennika& w) {
    QString t = w.obiekt + u' ' + QString::number(w.obiektId);
    if (w.obiekt == u"Transakcja") {
        if (w.zrodlo == u"F")
            t += QStringLiteral(" (z faktury)");
        else if (w.zrodlo == u"W")
            t += QStringLiteral(" (z wyciągu)");
        else if (w.zrodlo == u"U")
            t += QStringLiteral(" (wpisana ręcznie)");
    }
    return t;
}

QString OpisKontrahenta(const WpisDziennika& w) {
    const auto nazwa = [](const StronaZmiany& s) {
        const QString n = s.klient.trimmed();
        if (!s.klientId)
            return n;
        return (n.isEmpty() ? QStringLiteral("(bez nazwy)") : n) +
               QStringLiteral(" [%1]").arg(*s.klientId);
    };
    if (!w.po || (w.po->klientId == w.przed.klientId && w.po->klient == w.przed.klient))
        return nazwa(w.przed);
    return nazwa(w.przed) + QStringLiteral(" → ") + nazwa(*w.po);
}

QString OpisZmiany(const WpisDziennika& w) {
    QStringList czesci;
    const StronaZmiany* po = w.po ? &*w.po : nullptr;
    if (w.obiekt == u"Transakcja") {
        dodaj(czesci, QStringLiteral("data"), w.przed.data, po ? &po->data : nullptr, tekstDaty);
        dodaj(czesci, QStringLiteral("należność"), w.przed.doZaplaty, po ? &po->doZaplaty : nullptr,
              tekstKwoty);
        dodaj(czesci, QStringLiteral("wpłata"), w.przed.zaplacono, po ? &po->zaplacono : nullptr,
              tekstKwoty);
        dodaj(czesci, QStringLiteral("opis"), w.przed.opis, po ? &po->opis : nullptr, wCudzyslowie);
        return czesci.join(QStringLiteral("; "));
    }
    if (w.obiekt == u"Kontrahent" && !po) {
        // What the contractor took with it: its details and balance.
        const Money saldo =
            w.przed.doZaplaty.value_or(Money()) - w.przed.zaplacono.value_or(Money());
        czesci << w.przed.opis;
        czesci << QStringLiteral("saldo ") +
                      (saldo >= Money() ? QStringLiteral("do zapłaty ") + saldo.format(QLocale())
                                        : QStringLiteral("nadpłata ") + (-saldo).format(QLocale()));
        return czesci.join(QStringLiteral("; "));
    }
    if (!po || po->opis == w.przed.opis)
        return w.przed.opis;
    return w.przed.opis + QStringLiteral(" → ") + po->opis;
}

} // namespace dziennik
