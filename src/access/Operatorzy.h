#pragma once

#include <QString>

class Dataset;
class Tdm;

// The rules of logging in, of the operator list and of password changes, apart from the
// windows that ask for the data: the windows show what these answer.
namespace operatorzy {

inline constexpr int MinDlugoscHasla = 6;
inline constexpr int MaxDlugoscPowtorzenia = 20; // the repeat boxes take no more
inline constexpr int MaxDlugoscNazwy = 30;       // OPERATOR.NAZWA

// The warning that refuses a login, or empty text when the name (blanks around it removed)
// and the password (as typed) match the first row of that exact name.
QString Logowanie(const Dataset& operatorXE, const QString& nazwa, const QString& haslo);

// The warning that refuses a new password (both texts with blanks around them removed), or
// empty text. `gdyRozne` is the dialog's own text for a repeat that differs.
QString SprawdzHaslo(const QString& haslo, const QString& powtorne, const QString& gdyRozne);

// What a save came to: a warning to show, and whether the dialog's work is over; `info`, what
// else the user should know afterwards (the file of a generated password removed, or not).
struct Wynik {
    Wynik() = default;
    Wynik(QString u, bool z, QString i = {})
        : uwaga(std::move(u)), zamknij(z), info(std::move(i)) {}
    QString uwaga;
    bool zamknij = false;
    QString info;
};

// Whether the operator of that exact name must set a password of their own before working
// (the password generated when the database was made).
bool MusiZmienicHaslo(const Dataset& operatorXE, const QString& nazwa);

// The operator dialog's save: validates in the dialog's order, then adds an operator or
// corrects the operator aktOperId in the operator table, and commits.
Wynik ZapiszOperatora(Tdm& dm, bool nowyWpis, int aktOperId, const QString& nazwa,
                      const QString& haslo, const QString& powtorne);

// The password change of the operator named exactly `operatorName`, who proves it with the
// current password (as typed). The row is written only while it still holds that password
// (another workstation may have changed it meanwhile), in a transaction of its own. A password
// generated with the database is then no longer to be changed, and the file that kept it is
// removed (when it still holds that password).
Wynik ZmienHaslo(Tdm& dm, const QString& operatorName, const QString& obecne, const QString& haslo,
                 const QString& powtorne);

// A window on the operator table closes: its reading transaction ends, so the next
// opening sees what other workstations committed meanwhile.
void ZakonczOdczyt(Tdm& dm);

} // namespace operatorzy
