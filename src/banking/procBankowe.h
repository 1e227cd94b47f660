#pragma once

#include <QString>

inline constexpr int PL_KONTO_LEN = 26;

// An account number as a person or a bank statement writes it, split into its parts.
// Nothing is validated when the number is set: callers ask KontoPL or the checks of WeryfNum.
class TKonto {
public:
    void SetNumer(const QString& value);
    void Zeruj();

    const QString& Numer() const { return FNumer; }
    const QString& IdBanku() const { return FIdBanku; }
    const QString& NRB() const { return FNRB; }
    const QString& NrRozl() const { return FNrRozl; }
    const QString& KodKR() const { return FKodKR; }
    const QString& IBAN() const { return FIBAN; }
    const QString& IdOddz() const { return FIdOddz; }

    // A Polish national number: prefix "PL" or none, then exactly 26 digits.
    bool KontoPL() const;
    // The three-digit bank code (NRB digits 3-5); 0 for anything but a Polish number.
    int WyroznikIII() const;
    // The four-digit bank code (NRB digits 3-6); 0 for anything but a Polish number.
    int WyroznikIV() const;

private:
    QString FNumer;
    QString FIdBanku;
    QString FNRB;
    QString FNrRozl;
    QString FKodKR;
    QString FIBAN;
    QString FIdOddz;
};
