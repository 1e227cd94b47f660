#pragma once

#include "DaneFirmy.h"
#include "KursyEur.h"
#include "Money.h"
#include "Odsetki.h"
#include "Windykacja.h"

#include <QDate>
#include <QString>

#include <optional>
#include <variant>
#include <vector>

namespace db {
class Attachment;
class Transaction;
} // namespace db

// What the three collection documents say: an interest note, a payment reminder and a balance
// confirmation, each built from the company's details, the contractor and its invoices. The
// builders answer a Polish refusal instead when something the document needs is missing.
namespace dokumenty {

// The contractor a document is addressed to.
struct Odbiorca {
    int klientId = 0;
    QString nazwa;
    QString adres;
    QString nip; // with its country prefix when it has one: "PL 5260250274"
    odsetki::Dluznik dluznik = odsetki::Dluznik::Przedsiebiorca;
};

// The contractor as the register holds it; none when there is no such contractor.
std::optional<Odbiorca> czytajOdbiorce(db::Attachment& att, int klientId);
std::optional<Odbiorca> czytajOdbiorce(db::Transaction& tr, int klientId);

// "NO/7/2024": the interest notes are numbered anew each year.
QString numerNoty(int numer, int rok);

struct Rekompensata {
    QString numer; // the invoice
    Money kwotaFaktury;
    QDate termin; // moved off a day off: its month sets the rate
    int euro = 0;
    kursy::KursEur kurs;
    Money pln;
};

struct NotaOdsetkowa {
    QString numer;
    QDate dataWystawienia;
    firma::DaneFirmy firma;
    Odbiorca kontrahent;
    QDate od; // the period whose late payments it charges; invalid: from the beginning
    QDate doDnia;
    std::vector<windykacja::PozycjaOdsetek> pozycje;
    Money sumaOdsetek;
    std::vector<Rekompensata> rekompensaty; // empty when not claimed
    Money sumaRekompensat;
    Money razem;
    int terminZaplatyDni = 7;
    // Some items start after the due date: earlier notes charged the days before.
    bool poWczesniejszychNotach = false;
    bool zNiezaplaconymi = true;
    bool anulowana = false; // a saved note cancelled since (printed so)
};

struct ParametryNoty {
    QString numer;
    QDate dataWystawienia;
    QDate od;
    QDate doDnia;
    bool zNiezaplaconymi = true; // also what is unpaid on doDnia, counted to it
    bool zRekompensata = false;
    int terminZaplatyDni = 7;
};

// The note, or why it cannot be issued: nothing paid late (or all of it charged by earlier
// notes, `naliczone`), interest of 0,00 zł, a missing interest rate, a missing euro rate for a
// compensation, company details lacking.
std::variant<NotaOdsetkowa, QString>
zbudujNote(const firma::DaneFirmy& firma, const Odbiorca& kontrahent,
           const std::vector<windykacja::Faktura>& faktury, const odsetki::Tabele& tabele,
           const std::vector<kursy::KursEur>& kursyEur, const ParametryNoty& p,
           const windykacja::NaliczoneFaktur& naliczone = {});
// The same counting for a note and the interest command: equal when they charge the same.
bool tenSamRachunek(const NotaOdsetkowa& a, const NotaOdsetkowa& b);

struct PozycjaWezwania {
    QString numer;
    QDate wystawiona;
    QDate termin; // moved off a day off
    Money kwota;
    Money pozostalo;
    int dniZwloki = 0;
    Money odsetki; // to the reminder's date
};

struct WezwanieDoZaplaty {
    QDate dataWystawienia;
    firma::DaneFirmy firma;
    Odbiorca kontrahent;
    std::vector<PozycjaWezwania> pozycje;
    Money sumaPozostalo;
    Money nadplata; // payments not yet allocated, which lower what is demanded
    Money sumaOdsetek;
    Money razem;
    int terminDni = 7;
    QDate terminZaplaty; // the reminder's date plus terminDni
    bool zOdsetkami = true;
    // Interest for some days is left out: interest notes charged it already.
    bool poWczesniejszychNotach = false;
};

struct ParametryWezwania {
    QDate dataWystawienia;
    int terminDni = 7;
    bool zOdsetkami = true;
    int ponadDni = 0; // only invoices overdue more than this many days
};

// The reminder, or why there is none: company details lacking, nothing overdue (or no more
// than the payments not yet allocated, `nadplata`), a missing interest rate. Interest earlier
// notes charged (`naliczone`) is not demanded again.
std::variant<WezwanieDoZaplaty, QString>
zbudujWezwanie(const firma::DaneFirmy& firma, const Odbiorca& kontrahent,
               const std::vector<windykacja::Faktura>& faktury, const odsetki::Tabele& tabele,
               const ParametryWezwania& p, const windykacja::NaliczoneFaktur& naliczone = {},
               Money nadplata = {});
// As zbudujWezwanie for company details already checked: none when there is nothing to demand;
// a missing interest rate throws odsetki::BrakStawki.
std::optional<WezwanieDoZaplaty>
wezwanieDla(const firma::DaneFirmy& firma, const Odbiorca& kontrahent,
            const std::vector<windykacja::Faktura>& faktury, const odsetki::Tabele& tabele,
            const ParametryWezwania& p, const windykacja::NaliczoneFaktur& naliczone,
            Money nadplata);

struct PozycjaSalda {
    QString numer;
    QDate wystawiona;
    QDate termin;
    Money kwota;
    Money pozostalo;
};

// A payment not matched to any invoice on the day of the confirmation.
struct KwotaNierozliczona {
    QDate data;
    QString opis;
    Money kwota;
};

struct PotwierdzenieSalda {
    QDate naDzien;
    QDate dataWystawienia;
    firma::DaneFirmy firma;
    Odbiorca kontrahent;
    std::vector<PozycjaSalda> faktury;
    std::vector<KwotaNierozliczona> nierozliczone;
    Money sumaFaktur;
    Money sumaNierozliczonych;
    Money saldo; // positive: the contractor owes the company
};

// Open invoices on `naDzien` (issued by then, something unpaid by then) and the unallocated
// payments the caller found for that day.
std::variant<PotwierdzenieSalda, QString>
zbudujPotwierdzenie(const firma::DaneFirmy& firma, const Odbiorca& kontrahent,
                    const std::vector<windykacja::Faktura>& faktury,
                    const std::vector<KwotaNierozliczona>& nierozliczone, const QDate& naDzien,
                    const QDate& dataWystawienia);

// Polish words a document states a balance with, as the company sees it.
QString opisSalda(Money saldo);
// The same balance as the contractor confirms it on the reply slip.
QString opisSaldaDlaKontrahenta(Money saldo, const QString& firma);

} // namespace dokumenty
