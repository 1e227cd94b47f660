#include "KursyEur.h"

#include "Attachment.h"
#include "Error.h"
#include "Statement.h"
#include "Swieta.h"
#include "Transaction.h"
#include "Wyglad.h"

#include <QLocale>

namespace kursy {

std::optional<KursEur> kursMiesiaca(const std::vector<KursEur>& kursy, const QDate& miesiac) {
    std::optional<KursEur> wynik;
    for (const KursEur& k : kursy)
        if (k.data.year() == miesiac.year() && k.data.month() == miesiac.month() &&
            (!wynik || k.data > wynik->data))
            wynik = k;
    return wynik;
}

std::optional<KursEur> kursDoRekompensaty(const std::vector<KursEur>& kursy, const QDate& termin) {
    return kursMiesiaca(kursy, termin.addMonths(-1));
}

QString formatKursu(Money kurs) {
    const QLocale l;
    const std::int64_t r = kurs.raw();
    return l.toString(r / Money::Scale) + l.decimalPoint() +
           QStringLiteral("%1").arg(r % Money::Scale, 4, 10, QLatin1Char('0'));
}

std::optional<Money> parsujKurs(const QString& tekst) {
    QString t = tekst.trimmed().replace(u',', u'.');
    const qsizetype kropka = t.indexOf(u'.');
    if (t.isEmpty() || (kropka >= 0 && t.size() - kropka - 1 > 4))
        return std::nullopt;
    for (QChar c : t)
        if (c != u'.' && (c < u'0' || c > u'9'))
            return std::nullopt;
    const std::optional<Money> m = Money::parse(t);
    if (!m || *m <= Money() || *m >= Money::fromWhole(100))
        return std::nullopt;
    return m;
}

std::vector<KursEur> czytajKursy(db::Attachment& att) {
    db::Transaction tr(att, db::Isolation::ReadCommitted);
    tr.start();
    db::Statement s(tr, QStringLiteral("SELECT DATA, KURS, TABELA, ZRODLO FROM KURS_EUR "
                                       "ORDER BY DATA DESC"));
    std::vector<KursEur> w;
    db::Cursor c = s.open();
    while (c.next())
        w.push_back({c["DATA"].toDate().qdate(), c["KURS"].toMoney(), c["TABELA"].toString(),
                     c["ZRODLO"].toString() == QStringLiteral("R")});
    c.close();
    tr.commit();
    return w;
}

namespace {

QString dzien(const QDate& d) {
    return FormatDaty(d);
}

} // namespace

namespace {

QString sprawdzKurs(const QDate& data, Money kurs) {
    if (!data.isValid())
        return QStringLiteral("Podaj dzień tabeli kursów.");
    if (data > QDate::currentDate())
        return QStringLiteral("Dzień tabeli kursów nie może być późniejszy niż dzisiaj.");
    const QDate ostatni = swieta::ostatniDzienRoboczy(data.year(), data.month());
    if (data != ostatni)
        return QStringLiteral("Rekompensatę przelicza się po kursie z ostatniego dnia roboczego "
                              "miesiąca:\rdla %1 jest to %2.")
            .arg(data.toString(QStringLiteral("MM.yyyy")), dzien(ostatni));
    if (kurs <= Money() || kurs >= Money::fromWhole(100))
        return QStringLiteral("Podaj kurs euro w złotych, większy od zera.");
    return {};
}

// Writes a typed-in rate, first taking away the rate it replaces (when given, as read).
QString zapiszRecznie(db::Attachment& att, const std::optional<KursEur>& stary, const QDate& data,
                      Money kurs) {
    if (const QString u = sprawdzKurs(data, kurs); !u.isEmpty())
        return u;
    db::Transaction tr(att, db::Isolation::ReadCommittedNoRecVersion);
    tr.start();
    try {
        if (stary) {
            db::Statement usun(tr,
                               QStringLiteral("DELETE FROM KURS_EUR WHERE DATA = ? AND KURS = ?"));
            usun.bindAll({Date(stary->data), stary->kurs});
            if (usun.execute() != 1) {
                tr.rollback();
                return QStringLiteral("Ten kurs zmienił lub usunął w tym czasie inny użytkownik; "
                                      "nic nie zapisano.");
            }
        }
        db::Statement s(tr, QStringLiteral("INSERT INTO KURS_EUR (DATA, KURS, TABELA, ZRODLO) "
                                           "VALUES (?, ?, NULL, 'R')"));
        s.bindAll({Date(data), kurs});
        s.execute();
        tr.commit();
    } catch (const db::Error& e) {
        tr.rollbackQuietly();
        if (e.isDuplicate() || e.isConflict())
            return QStringLiteral("Kurs z dnia %1 jest już w tabeli.").arg(dzien(data));
        throw;
    }
    return {};
}

} // namespace

QString dopiszKursRecznie(db::Attachment& att, const QDate& data, Money kurs) {
    return zapiszRecznie(att, std::nullopt, data, kurs);
}

QString poprawKursRecznie(db::Attachment& att, const KursEur& stary, const QDate& data,
                          Money kurs) {
    return zapiszRecznie(att, stary, data, kurs);
}

int zapiszKursyNbp(db::Attachment& att, const std::vector<KursEur>& kursy) {
    db::Transaction tr(att, db::Isolation::ReadCommittedNoRecVersion);
    tr.start();
    int nowe = 0;
    try {
        db::Statement jest(tr, QStringLiteral("SELECT COUNT(*) FROM KURS_EUR WHERE DATA = ?"));
        db::Statement zapis(tr, QStringLiteral("UPDATE OR INSERT INTO KURS_EUR (DATA, KURS, "
                                               "TABELA, ZRODLO) VALUES (?, ?, ?, 'N') "
                                               "MATCHING (DATA)"));
        for (const KursEur& k : kursy) {
            jest.bindAll({Date(k.data)});
            db::Row r;
            if (jest.fetchOne(r) && r[0].toInt() == 0)
                ++nowe;
            zapis.bindAll(
                {Date(k.data), k.kurs, k.tabela.isEmpty() ? db::Value() : db::Value(k.tabela)});
            zapis.execute();
        }
        tr.commit();
    } catch (...) {
        tr.rollbackQuietly();
        throw;
    }
    return nowe;
}

QString usunKurs(db::Attachment& att, const QDate& data) {
    db::Transaction tr(att, db::Isolation::ReadCommittedNoRecVersion);
    tr.start();
    try {
        db::Statement s(tr, QStringLiteral("DELETE FROM KURS_EUR WHERE DATA = ?"));
        s.bindAll({Date(data)});
        if (s.execute() == 0) {
            tr.rollback();
            return QStringLiteral("Kursu z dnia %1 nie ma już w tabeli.").arg(dzien(data));
        }
        tr.commit();
    } catch (...) {
        tr.rollbackQuietly();
        throw;
    }
    return {};
}

} // namespace kursy
