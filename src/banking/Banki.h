#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <initializer_list>

// A bank known to the directory; each value is the bank's three-digit code.
enum TBank : std::uint8_t {
    bk_Nieznany = 0,
    bk_NBP = 101,
    bk_PKOBP = 102,
    bk_Handlowy = 103,
    bk_ING = 105,
    bk_BPH = 106,
    bk_BZWBK = 109,
    bk_GospKraj = 113,
    bk_mBank = 114,
    bk_Millennium = 116,
    bk_Pekao = 124,
    bk_HSBC = 128,
    bk_Pocztowy = 132,
    bk_EuroBank = 147,
    bk_BOS = 154,
    bk_Mercedes_Benz = 158,
    bk_SGB_Bank = 161,
    bk_RBS_Bank = 167,
    bk_PLUS_Bank = 168,
    bk_Raiffeisen = 175,
    bk_Societe_Generale = 184,
    bk_Nest_Bank = 187,
    bk_Pekao_Hipoteczny = 189,
    bk_Deutsche_Bank = 191,
    bk_Bank_POL_Spoldz = 193,
    bk_Credit_Agricole = 194,
    bk_Idea_Bank = 195,
    bk_Paribas = 203,
    bk_Santander = 212,
    bk_VOLKSWAGEN = 213,
    bk_FCA_Group = 214,
    bk_mBank_Hipoteczny = 215,
    bk_Toyota_Bank = 216,
    bk_DNB_Bank = 219,
    bk_Banque_PSA = 224,
    bk_Svenska = 225,
    bk_BPI_Bank = 229,
    bk_Nykredit = 232,
    bk_BNP_PARIBAS = 235,
    bk_Danske_Bank = 236,
    bk_Skandinaviska = 237,
    bk_CAIXABANK = 239,
    bk_Elavon = 241,
    bk_BNP_Paribas_Secur = 243,
    bk_HAITONG_BANK = 247,
    bk_Getin_Noble_Bank = 248,
    bk_Alior_Bank = 249,
};

// A set of banks.
class TBanki {
public:
    constexpr TBanki(std::initializer_list<TBank> banks) {
        for (TBank b : banks)
            bits_[b / 64] |= std::uint64_t{1} << (b % 64);
    }
    constexpr bool contains(TBank b) const { return (bits_[b / 64] >> (b % 64)) & 1U; }

private:
    std::array<std::uint64_t, 4> bits_{};
};

// Name of the bank that keeps a Polish account; empty for any other number or unknown code.
QString NazwaBanku(const QString& konto);
// The bank of a three-digit code; codes of banks merged into another give the surviving bank.
TBank WyznBankXXX(int kod);
// The bank of a three-digit code as today's register names it; a code the register no longer
// holds gives the bank that took its accounts over, or its last name.
QString NazwaBankuIII(int kod);
// Cooperative banks by their four-digit code. Entries that carry a brand name hold the full
// name padded to 140 characters, a TAB, then the brand name.
QString NazwaBankuIV(int kod);
