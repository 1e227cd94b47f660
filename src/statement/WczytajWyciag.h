#pragma once

#include "Banki.h"
#include "FTypy.h"
#include "Interfejsy.h"
#include "Pola.h"
#include "StronyKodowe.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

// The checks and reading that turn a statement file into statements, as the payment-import
// window makes them. Each refusal carries the window's warning text ("\r" is a line break).
// Whether a statement was read before needs the database: the caller asks that after a
// successful open, with LiniaSaldoPocz() and GetKontoWL() of each statement.

// A statement file opened (one statement or, for a bank's export of several days, several in
// file order), or the warning that refused it.
class WynikOtwarcia {
public:
    using Wyciagi = std::vector<std::shared_ptr<IWyciag>>;

    static WynikOtwarcia Odmowa(const QString& komunikat) { return WynikOtwarcia({}, komunikat); }
    static WynikOtwarcia Otwarty(Wyciagi wyciagi, bool nieUtf8 = false) {
        WynikOtwarcia w(std::move(wyciagi), {});
        w.nieUtf8_ = nieUtf8;
        return w;
    }
    // The encoding the file was read in, and whether the reader chose it.
    WynikOtwarcia& zKodowaniem(TKodowanie k, bool wykryte, bool utf16 = false) {
        kodowanie_ = k;
        wykryte_ = wykryte;
        utf16_ = utf16;
        return *this;
    }

    bool ok() const { return !wyciagi_.empty(); }
    // The first statement of the file.
    std::shared_ptr<IWyciag> wyciag() const { return ok() ? wyciagi_.front() : nullptr; }
    const Wyciagi& wyciagi() const { return wyciagi_; }
    const QString& komunikat() const { return komunikat_; }
    // Read under "UTF-8" although the bytes are not UTF-8: the names hold U+FFFD.
    bool nieUtf8() const { return nieUtf8_; }
    TKodowanie kodowanie() const { return kodowanie_; }
    bool wykryte() const { return wykryte_; }
    // "CP-852 (wykryte)", "UTF-8": what the window and the command line show.
    QString opisKodowania() const;

private:
    WynikOtwarcia(Wyciagi w, QString k) : wyciagi_(std::move(w)), komunikat_(std::move(k)) {}
    Wyciagi wyciagi_;
    QString komunikat_;
    bool nieUtf8_ = false;
    TKodowanie kodowanie_ = TKodowanie::kdUTF_8;
    bool wykryte_ = false;
    bool utf16_ = false; // a UTF-16 byte-order mark decided the reading
};

// What to tell the user who read a Windows-1250 or CP-852 file as UTF-8.
QString PodpowiedzKodowania();

// Structure check: the first missing one of ":60F:", ":61:", ":86:", ":62F:" gives its
// message; nothing when all four occur somewhere in the text.
std::optional<QString> WyciagOK(const QString& tekst);

// The statements of a file's fields, in file order: each ends with its closing balance
// ":62F:" (the pages of one statement, joined by ":62M:"/":60M:", stay one). Fields after the
// last closing balance are dropped; BladWyciagu when they hold a transaction or a balance,
// which would be a statement cut short.
std::vector<std::vector<PoleMT>> PodzielNaWyciagi(const std::vector<PoleMT>& pola);

// Opening balance + credits - debits must give the closing balance (and each page's), in
// one currency throughout: BladWyciagu naming the statement and the two sums otherwise.
void SprawdzBilans(const TWyciagAbs& w);

// The owner's account as the import window reads it to choose the bank: field 25 up to
// ":28C:" (or, failing that, ":28:"), without line breaks, spaces, a leading "/" and the
// country prefix of an IBAN.
QString WyznKontoWL(const QString& tekst);

// The bank of the statement's owner account; bk_Nieznany when it cannot be told.
TBank WyznBankWyciagu(const QString& tekst);

// The refusal of a bank the program does not read, with a line naming the statement's bank
// and the banks it reads.
QString OdmowaBanku(TBank bank);

// Opens statement bytes: the encoding (found by the reader for kdWykryj), structure check,
// splitting into statements, for each the dialect of its owner's bank or, for a bank without
// one (or a field 86 not in its bank's dialect), the general shape its field 86 follows.
// With `bank` given that bank's dialect reads every statement. A statement that cannot be
// read as it stands (an amount, a date, a value too long for the books) or that does not add
// up refuses the whole file with a message naming the place.
WynikOtwarcia OtworzWyciag(const QByteArray& bajty, TKodowanie kodowanie,
                           std::optional<TBank> bank = std::nullopt);

// The same for a file name as typed into the window: an empty name or a missing file is
// refused with the window's message; a file that cannot be read throws std::runtime_error.
WynikOtwarcia OtworzPlikWyciagu(const QString& nazwaPliku, TKodowanie kodowanie,
                                std::optional<TBank> bank = std::nullopt);
