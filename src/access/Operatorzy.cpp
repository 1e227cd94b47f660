#include "Operatorzy.h"

#include "SHA1.h"
#include "StringFun.h"
#include "fdm.h"

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

Wynik ZmienHaslo(Tdm& dm, const QString& operatorName, const QString& haslo,
                 const QString& powtorne) {
    const QString uwaga = SprawdzHaslo(
        haslo, powtorne, QStringLiteral("Hasło wprowadzone powtórnie różni się od nowego hasła."));
    if (!uwaga.isEmpty())
        return {uwaga, false};

    Dataset& op = dm.OperatorXE;
    const QString digest = SHA1Digest(TrimCtl(haslo));
    const int at = wierszOperatora(op, operatorName);
    if (at < 0) {
        // The operator was renamed or removed since logging in: say so rather than close
        // as if the password had been changed.
        return {QStringLiteral("Nie znaleziono użytkownika ") + operatorName +
                    QStringLiteral(" w wykazie użytkowników.\rHasło nie zostało zmienione."),
                true};
    }
    op.setCurrentIndex(at);
    op.modifyCurrent({{QStringLiteral("HASLO"), digest}});
    if (op.transaction().active())
        op.transaction().commit();
    return {{}, true};
}

void ZakonczOdczyt(Tdm& dm) {
    if (dm.trOperator.active())
        dm.trOperator.commit();
}

} // namespace operatorzy
