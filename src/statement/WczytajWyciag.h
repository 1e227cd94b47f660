#pragma once

#include "Banki.h"
#include "Interfejsy.h"
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

    bool ok() const { return !wyciagi_.empty(); }
    // The first statement of the file.
    std::shared_ptr<IWyciag> wyciag() const { return ok() ? wyciagi_.front() : nullptr; }
    const Wyciagi& wyciagi() const { return wyciagi_; }
    const QString& komunikat() const { return komunikat_; }
    // Read under "UTF-8" although the bytes are not UTF-8: the names hold U+FFFD.
    bool nieUtf8() const { return nieUtf8_; }

private:
    WynikOtwarcia(Wyciagi w, QString k) : wyciagi_(std::move(w)), komunikat_(std::move(k)) {}
    Wyciagi wyciagi_;
    QString komunikat_;
    bool nieUtf8_ = false;
};

// What to tell the user who read a Windows-1250 or CP-852 file as UTF-8.
QString PodpowiedzKodowania();

// Structure check: the first missing one of ":60F:", ":61:", ":86:", ":62F:" gives its
// message; nothing when all four occur somewhere in the text.
std::optional<QString> WyciagOK(const QString& tekst);

// The statements of a file's text, in file order: each ends with the line of its closing
// balance ":62F:" (the pages of one statement, joined by ":62M:"/":60M:", stay one). Text
// after the last closing balance is dropped; BladWyciagu when it holds a transaction or an
// opening balance, which would be a statement cut short.
QStringList PodzielNaWyciagi(const QString& tekst);

// The owner's account as the import window reads it to choose the bank: field 25 up to
// ":28C:" (or, failing that, ":28:"), without line breaks, spaces, a leading "/" and the
// country prefix of an IBAN.
QString WyznKontoWL(const QString& tekst);

// The bank of the statement's owner account; bk_Nieznany when it cannot be told.
TBank WyznBankWyciagu(const QString& tekst);

// The refusal of a bank the program does not read, with a line naming the statement's bank
// and the banks it reads.
QString OdmowaBanku(TBank bank);

// Opens statement bytes: structure check, decoding in the chosen encoding, splitting into
// statements, for each the bank of its owner account (must be one of ObslugiwaneBanki), then
// the bank's variant reads it. With `bank` given the bank check is skipped and that variant
// reads every statement. A statement that cannot be read as it stands (an amount, a date, a
// value too long for the books) refuses the file with a message naming the line.
WynikOtwarcia OtworzWyciag(const QByteArray& bajty, TKodowanie kodowanie,
                           std::optional<TBank> bank = std::nullopt);

// The same for a file name as typed into the window: an empty name or a missing file is
// refused with the window's message; a file that cannot be read throws std::runtime_error.
WynikOtwarcia OtworzPlikWyciagu(const QString& nazwaPliku, TKodowanie kodowanie,
                                std::optional<TBank> bank = std::nullopt);
