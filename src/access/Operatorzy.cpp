#include "Operatorzy.h"

#include "SHA1.h"
#include "Statement.h"
#include "StringFun.h"
#include "Transaction.h"
#include "fdm.h"

#include <QFile>

namespace operatorzy {
namespace {

// The first row whose NAZWA equals the name exactly, letter case included; -1 when none.
int wierszOperatora(const Dataset& operatorXE, const QString& nazwa) {
    for (int i = 0; i < operatorXE.recordCount(); ++i)
        if (operatorXE.row(i)["NAZWA"].toString() == nazwa)
            return i;
    return -1;
}

} // namespace

QString Logowanie(const Dataset& operatorXE, const QString& nazwa, const QString& haslo) {
    const QString name = TrimCtl(nazwa);
    if (name.isEmpty())
        return QStringLiteral("Nazwa użytkownika nie podana.");
    if (TrimCtl(haslo).isEmpty())
        return QStringLiteral("Hasło użytkownika nie podane.");
    const QString nieprawidlowe = QStringLiteral("Nazwa użytkownika lub hasło nieprawidłowe.");
    const int at = wierszOperatora(operatorXE, name);
    if (at < 0)
        return nieprawidlowe;
    // The password is digested as typed: blanks the user typed around it count.
    if (SHA1Digest(haslo) != operatorXE.row(at)["HASLO"].toString())
        return nieprawidlowe;
    return {};
}

QString SprawdzHaslo(const QString& haslo, const QString& powtorne, const QString& gdyRozne) {
    const QString h = TrimCtl(haslo);
    if (h.size() < MinDlugoscHasla)
        return QStringLiteral("Hasło musi mieć przynajmniej %1 znaków.").arg(MinDlugoscHasla);
    if (h != TrimCtl(powtorne))
        return gdyRozne;
    return {};
}

Wynik ZapiszOperatora(Tdm& dm, bool nowyWpis, int aktOperId, const QString& nazwa,
                      const QString& haslo, const QString& powtorne) {
    const QString name = TrimCtl(nazwa);
    if (name.isEmpty())
        return {QStringLiteral("Nazwa użytkownika musi być podana."), false};
    const bool unikalna = nowyWpis ? dm.NowyOperatorOK(name) : dm.EditOperatorOK(name, aktOperId);
    if (!unikalna)
        return {QStringLiteral("Nazwa użytkownika nie może się powtarzać."), false};
    const QString uwaga = SprawdzHaslo(
        haslo, powtorne,
        QStringLiteral("Hasło wprowadzone powtórnie różni się od wprowadzonego hasła."));
    if (!uwaga.isEmpty())
        return {uwaga, false};

    const QString digest = SHA1Digest(TrimCtl(haslo));
    Dataset& op = dm.OperatorXE;
    if (nowyWpis) {
        op.insertRow({{QStringLiteral("OPERID"), dm.NextId()},
                      {QStringLiteral("NAZWA"), name},
                      {QStringLiteral("HASLO"), digest}});
    } else {
        // The row being corrected, whichever row the list shows as current.
        if (!op.locate(QStringLiteral("OPERID"), aktOperId))
            return {QStringLiteral("Nie znaleziono poprawianego użytkownika w wykazie."), true};
        op.modifyCurrent({{QStringLiteral("NAZWA"), name}, {QStringLiteral("HASLO"), digest}});
    }
    op.commitRetaining();
    return {{}, true};
}

bool MusiZmienicHaslo(const Dataset& operatorXE, const QString& nazwa) {
    const int at = wierszOperatora(operatorXE, TrimCtl(nazwa));
    return at >= 0 && operatorXE.row(at)["ZMIEN_HASLO"].toString() == u"T";
}

namespace {

// Removes the file that kept a generated password, when it still holds that password (its
// digest is the old one); says what became of it.
Wynik usunPlikHasla(const QString& plik, const QString& staryDigest) {
    Wynik w{{}, true, {}};
    if (plik.isEmpty())
        return w;
    QFile f(plik);
    if (!f.exists()) {
        w.info = QStringLiteral("Pliku z hasłem początkowym %1 nie ma na tym komputerze. Jeśli "
                                "jest na komputerze, na którym założono bazę danych, usuń go.")
                     .arg(plik);
        return w;
    }
    QString zawartosc;
    if (f.open(QIODevice::ReadOnly)) {
        zawartosc = QString::fromUtf8(f.readAll()).trimmed();
        f.close();
    }
    if (SHA1Digest(zawartosc) != staryDigest) {
        w.info = QStringLiteral("Plik %1 nie zawiera już hasła początkowego i został "
                                "pozostawiony.")
                     .arg(plik);
        return w;
    }
    if (!f.remove()) {
        w.uwaga = QStringLiteral("Nie udało się usunąć pliku z hasłem początkowym %1 (%2). "
                                 "Usuń go ręcznie.")
                      .arg(plik, f.errorString());
        return w;
    }
    w.info = QStringLiteral("Usunięto plik z hasłem początkowym: %1").arg(plik);
    return w;
}

} // namespace

Wynik ZmienHaslo(Tdm& dm, const QString& operatorName, const QString& obecne, const QString& haslo,
                 const QString& powtorne) {
    Dataset& op = dm.OperatorXE;
    const int at = wierszOperatora(op, operatorName);
    if (at < 0) {
        // The operator was renamed or removed since logging in: say so rather than close
        // as if the password had been changed.
        return {QStringLiteral("Nie znaleziono użytkownika ") + operatorName +
                    QStringLiteral(" w wykazie użytkowników.\rHasło nie zostało zmienione."),
                true};
    }
    const db::Row& wiersz = op.row(at);
    // The current password as the login takes it: as typed.
    const QString staryDigest = wiersz["HASLO"].toString();
    if (SHA1Digest(obecne) != staryDigest)
        return {QStringLiteral("Obecne hasło jest nieprawidłowe."), false};
    const QString uwaga = SprawdzHaslo(
        haslo, powtorne, QStringLiteral("Hasło wprowadzone powtórnie różni się od nowego hasła."));
    if (!uwaga.isEmpty())
        return {uwaga, false};

    const QString plik = wiersz["PLIK_HASLA"].toString();
    db::Transaction tr(dm.conn, db::Isolation::ReadCommittedNoRecVersion);
    tr.start();
    db::Statement st(tr, QStringLiteral("UPDATE OPERATOR SET HASLO = ?, ZMIEN_HASLO = NULL, "
                                        "PLIK_HASLA = NULL WHERE OPERID = ? AND HASLO = ?"));
    st.bindAll({SHA1Digest(TrimCtl(haslo)), wiersz["OPERID"], staryDigest});
    if (st.execute() != 1) {
        tr.rollback();
        return {QStringLiteral("Hasło zmieniono w międzyczasie na innym stanowisku. Hasło nie "
                               "zostało zmienione."),
                true};
    }
    tr.commit();
    return usunPlikHasla(plik, staryDigest);
}

void ZakonczOdczyt(Tdm& dm) {
    if (dm.trOperator.active())
        dm.trOperator.commit();
}

} // namespace operatorzy
