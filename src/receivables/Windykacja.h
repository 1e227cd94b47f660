#pragma once

#include "Money.h"
#include "Odsetki.h"

#include <QDate>
#include <QString>

#include <optional>
#include <vector>

// What the collection documents are built from: a contractor's invoices with their due dates
// and the payments matched to each, as plain values filled by whoever reads the ledger.
namespace windykacja {

struct Wplata {
    QDate data; // the day the company's account was credited
    Money kwota;
};

struct Faktura {
    QString numer;
    QDate wystawiona;
    QDate termin; // as agreed; a day off moves it when interest is counted
    Money kwota;
    std::vector<Wplata> wplaty; // the payments matched to this invoice, any order
};

// One late payment of an invoice, or what is still unpaid of it at the end of the period.
struct PozycjaOdsetek {
    QString numer;
    QDate wystawiona;
    QDate termin;                 // moved off a day off
    std::optional<QDate> zaplata; // none: unpaid, counted to the end of the period
    Money kwota;                  // the amount that was late
    int dni = 0;
    std::vector<odsetki::Okres> okresy;
    // Rounded so that the items of one invoice add up to that invoice's interest rounded once.
    Money odsetki;
    int rekompensataEur = 0; // on the first item of each invoice; 0 on the others
    Money kwotaFaktury;      // the invoice's amount, which sets the compensation
};

struct WynikOdsetek {
    std::vector<PozycjaOdsetek> pozycje;
    Money suma;
};

// What to count: payments made after their due date on days from `od` to `doDnia`
// (inclusive; an invalid `od` means from the beginning), and, with `zNiezaplaconymi`, what is
// still unpaid on `doDnia`, counted to that day. Items come per invoice in the given order,
// payments by date, the unpaid rest last. Throws odsetki::BrakStawki.
struct ZakresOdsetek {
    QDate od;
    QDate doDnia;
    bool zaplaconeWOkresie = true;
    bool zNiezaplaconymi = true;
};

WynikOdsetek naliczOdsetki(const std::vector<Faktura>& faktury, const ZakresOdsetek& zakres,
                           const odsetki::Tabele& tabele, odsetki::Dluznik dluznik);

// What is unpaid of an invoice on a day: its amount less the payments made up to that day.
Money pozostaloNaDzien(const Faktura& f, const QDate& dzien);

} // namespace windykacja
