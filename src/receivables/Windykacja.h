#pragma once

#include "Money.h"
#include "Odsetki.h"

#include <QDate>
#include <QString>

#include <QHash>

#include <optional>
#include <vector>

// What the collection documents are built from: a contractor's invoices with their due dates
// and the payments matched to each, as plain values filled by whoever reads the ledger.
namespace windykacja {

struct Wplata {
    QDate data; // the day the company's account was credited
    Money kwota;
    int wpisId = 0; // the ledger row of the payment; 0 when not from the ledger
};

struct Faktura {
    QString numer;
    QDate wystawiona;
    QDate termin;               // as agreed; a day off moves it when interest is counted
    Money kwota;                // less the corrections that lower it
    std::vector<Wplata> wplaty; // the payments matched to this invoice, any order
    int wpisId = 0;             // the ledger row; 0 when not from the ledger
    // An amount due that bears no interest of its own: a booked interest note (interest is
    // not charged on interest).
    bool bezOdsetek = false;
};

// What earlier interest notes charged of one invoice. The invoice's amount is taken in the
// order its payments settle it (the earliest payment pays its first złoty); each slice of it
// was charged up to and including a day, always from the due date on.
struct Odcinek {
    Money od; // where the slice starts in the invoice's amount
    Money kwota;
    QDate doDnia;
};
struct Naliczone {
    std::vector<Odcinek> odcinki;
    bool rekompensata = false; // the compensation for this invoice was claimed
};
// By the invoice's ledger row.
using NaliczoneFaktur = QHash<int, Naliczone>;

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
    int wpisIdFaktury = 0;
    int wpisIdZaplaty = 0; // 0 for the unpaid rest
    Money pozycjaOd;       // where the late amount starts in the invoice's amount
    // The first day counted: the day after the due date, or later when an earlier note
    // charged the days before.
    QDate naliczoneOd;
};

struct WynikOdsetek {
    std::vector<PozycjaOdsetek> pozycje;
    Money suma;
};

// What to count: payments made after their due date on days from `od` to `doDnia`
// (inclusive; an invalid `od` means from the beginning), and, with `zNiezaplaconymi`, what is
// still unpaid on `doDnia`, counted to that day. Items come per invoice in the given order,
// payments by date, the unpaid rest last. Days that earlier notes charged (`naliczone`) are
// left out, and so is a compensation claimed before: nothing is charged twice. Invoices that
// bear no interest are skipped. Throws odsetki::BrakStawki.
struct ZakresOdsetek {
    QDate od;
    QDate doDnia;
    bool zaplaconeWOkresie = true;
    bool zNiezaplaconymi = true;
};

WynikOdsetek naliczOdsetki(const std::vector<Faktura>& faktury, const ZakresOdsetek& zakres,
                           const odsetki::Tabele& tabele, odsetki::Dluznik dluznik,
                           const NaliczoneFaktur& naliczone = {});

// What is unpaid of an invoice on a day: its amount less the payments made up to that day.
Money pozostaloNaDzien(const Faktura& f, const QDate& dzien);

} // namespace windykacja
