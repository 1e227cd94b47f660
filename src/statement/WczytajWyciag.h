#pragma once

#include "Banki.h"
#include "Interfejsy.h"
#include "StronyKodowe.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

// The checks and reading that turn a statement file into a statement, as the payment-import
// window makes them. Each refusal carries the window's warning text ("\r" is a line break).
// Whether the statement was read before needs the database: the caller asks that after a
// successful open, with LiniaSaldoPocz() and GetKontoWL() of the statement.

// A statement file opened, or the warning that refused it.
class WynikOtwarcia {
public:
    static WynikOtwarcia Odmowa(const QString& komunikat) { return WynikOtwarcia({}, komunikat); }
    static WynikOtwarcia Otwarty(std::shared_ptr<IWyciag> wyciag) {
        return WynikOtwarcia(std::move(wyciag), {});
    }

    bool ok() const { return static_cast<bool>(wyciag_); }
    const std::shared_ptr<IWyciag>& wyciag() const { return wyciag_; }
    const QString& komunikat() const { return komunikat_; }

private:
    WynikOtwarcia(std::shared_ptr<IWyciag> w, QString k)
        : wyciag_(std::move(w)), komunikat_(std::move(k)) {}
    std::shared_ptr<IWyciag> wyciag_;
    QString komunikat_;
};

// Structure check: the first missing one of ":60F:", ":61:", ":86:", ":62F:" gives its
// message; nothing when all four occur somewhere in the text.
std::optional<QString> WyciagOK(const QString& tekst);

// The owner's account as the import window reads it to choose the bank: field 25 up to
// ":28C:" (or, failing that, ":28:"), without line breaks, spaces, a leading "/" and the
// country prefix of an IBAN.
QString WyznKontoWL(const QString& tekst);

// The bank of the statement's owner account; bk_Nieznany when it cannot be told.
TBank WyznBankWyciagu(const QString& tekst);

// Opens statement bytes: structure check, decoding in the chosen encoding, the bank of the
// owner's account (must be one of ObslugiwaneBanki), then the bank's variant reads the text.
// With `bank` given the bank check is skipped and that variant reads the text.
// A date in field 61 that does not exist throws ConversionError, as the reading cannot go on.
WynikOtwarcia OtworzWyciag(const QByteArray& bajty, TKodowanie kodowanie,
                           std::optional<TBank> bank = std::nullopt);

// The same for a file name as typed into the window: an empty name or a missing file is
// refused with the window's message; a file that cannot be read throws std::runtime_error.
WynikOtwarcia OtworzPlikWyciagu(const QString& nazwaPliku, TKodowanie kodowanie,
                                std::optional<TBank> bank = std::nullopt);
