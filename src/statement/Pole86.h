#pragma once

#include "Dialekty.h"

#include <QString>
#include <QStringView>

#include <array>
#include <bitset>

// Where each numbered subfield of one field-86 text lies, found in one pass over the text:
// a separator followed by two digits opens a subfield (line breaks inside the tag are
// skipped), which runs up to the next separator, whatever follows that. A number written
// twice counts at its first place.
class Podpola {
public:
    Podpola(QStringView tekst, QChar separator);
    bool jest(int n) const { return n >= 0 && n < 100 && jest_[static_cast<size_t>(n)]; }
    // The subfield's text as written, line breaks still in it; empty when absent.
    QStringView surowe(int n) const;
    // The subfield's text without line breaks; a lone filler byte (0xFF, read as "˙") is an
    // empty value.
    QString tekst(int n) const;
    int liczba() const { return static_cast<int>(jest_.count()); }

private:
    QStringView t_;
    std::bitset<100> jest_;
    std::array<qsizetype, 100> start_{};
    std::array<qsizetype, 100> koniec_{};
};

// The counterparty and title of one field 86 as a dialect reads them.
struct Dane86 {
    QString opis;
    QString nazwa;
    QString konto; // as written (spaces and country prefix kept)
};

// Reads one field-86 text. `wlasne` is the statement's own account: never taken as the
// counterparty's while another account subfield is written.
Dane86 CzytajPole86(QStringView tekst, const Dialekt& d, const QString& wlasne);

// Whether a field-86 text follows the dialect's shape: its separator with subfield numbers
// the dialect reads, or its keywords.
bool PasujeDoKsztaltu(QStringView tekst, const Dialekt& d);

// The two check digits of a Polish account from its sort code (8 digits) and number (16).
QString CyfryKontrolne(const QString& rozliczeniowy, const QString& numer);
