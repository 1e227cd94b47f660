#include "Banki.h"

#include "BankiIV.h"
#include "procBankowe.h"

#include <algorithm>
#include <iterator>

namespace {
struct NazwaIII {
    int kod;
    const char* nazwa;
};

constexpr NazwaIII TabelaIII[] = {
    {101, "Narodowy Bank Polski"},
    {102, "Powszechna Kasa Oszczędności Bank Polski SA"},
    {103, "Bank Handlowy w Warszawie SA"},
    {104, "Bank Millennium SA"},
    {105, "ING Bank Śląski SA"},
    {106, "Bank BPH SA"},
    {109, "Bank Zachodni WBK SA"},
    {113, "Bank Gospodarstwa Krajowego"},
    {114, "mBank SA"},
    {116, "Bank Millennium SA"},
    {124, "Bank Polska Kasa Opieki SA"},
    {128, "HSBC Bank Polska SA"},
    {132, "Bank Pocztowy SA"},
    {139, "Bank Zachodni WBK SA"},
    {147, "Euro Bank SA"},
    {150, "Bank Zachodni WBK SA"},
    {151, "mBank SA"},
    {154, "Bank Ochrony Środowiska SA"},
    {158, "Mercedes-Benz Bank Polska SA"},
    {161, "SGB-Bank SA"},
    {163, "mBank SA"},
    {167, "RBS Bank (Polska) SA"},
    {168, "PLUS BANK SA"},
    {175, "Raiffeisen Bank Polska SA"},
    {180, "ING Bank Śląski SA"},
    {184, "Societe Generale SA"},
    {187, "Nest Bank S.A."},
    {189, "Pekao Bank Hipoteczny SA"},
    {191, "Deutsche Bank Polska SA"},
    {193, "BANK POLSKIEJ SPÓŁDZIELCZOŚCI SA"},
    {194, "Credit Agricole Bank Polska SA"},
    {195, "Idea Bank SA"},
    {196, "Santander Consumer Bank SA"},
    {197, "ING Bank Śląski SA"},
    {203, "Bank BGŻ BNP Paribas SA"},
    {212, "Santander Consumer Bank SA"},
    {213, "VOLKSWAGEN BANK POLSKA SA"},
    {214, "FCA-Group Bank Polska SA"},
    {215, "mBank Hipoteczny SA"},
    {216, "Toyota Bank Polska SA"},
    {218, "ING Bank Śląski SA"},
    {219, "DNB Bank Polska SA"},
    {224, "Banque PSA Finance SA"},
    {225, "Svenska Handelsbanken AB SA"},
    {229, "BPI Bank Polskich Inwestycji SA"},
    {232, "Nykredit Realkredit A/S SA"},
    {235, "BNP PARIBAS SA"},
    {236, "Danske Bank A/S SA"},
    {237, "Skandinaviska Enskilda Banken AB (SA)"},
    {239, "CAIXABANK, S.A."},
    {241, "Elavon Financial Services Designated Activity Company"},
    {243, "BNP Paribas Securities Services SKA"},
    {247, "HAITONG BANK, S.A."},
    {248, "Getin Noble Bank SA"},
    {249, "Alior Bank SA"},
    {269, "PKO Bank Hipoteczny SA"},
};

constexpr TBanki WartosciTBank{
    bk_NBP,
    bk_PKOBP,
    bk_Handlowy,
    bk_ING,
    bk_BPH,
    bk_BZWBK,
    bk_GospKraj,
    bk_mBank,
    bk_Millennium,
    bk_Pekao,
    bk_HSBC,
    bk_Pocztowy,
    bk_EuroBank,
    bk_BOS,
    bk_Mercedes_Benz,
    bk_SGB_Bank,
    bk_RBS_Bank,
    bk_PLUS_Bank,
    bk_Raiffeisen,
    bk_Societe_Generale,
    bk_Nest_Bank,
    bk_Pekao_Hipoteczny,
    bk_Deutsche_Bank,
    bk_Bank_POL_Spoldz,
    bk_Credit_Agricole,
    bk_Idea_Bank,
    bk_Paribas,
    bk_Santander,
    bk_VOLKSWAGEN,
    bk_FCA_Group,
    bk_mBank_Hipoteczny,
    bk_Toyota_Bank,
    bk_DNB_Bank,
    bk_Banque_PSA,
    bk_Svenska,
    bk_BPI_Bank,
    bk_Nykredit,
    bk_BNP_PARIBAS,
    bk_Danske_Bank,
    bk_Skandinaviska,
    bk_CAIXABANK,
    bk_Elavon,
    bk_BNP_Paribas_Secur,
    bk_HAITONG_BANK,
    bk_Getin_Noble_Bank,
    bk_Alior_Bank,
};

template <typename Tabela> auto znajdz(const Tabela& tabela, int kod) {
    const auto it = std::lower_bound(std::begin(tabela), std::end(tabela), kod,
                                     [](const auto& e, int k) { return e.kod < k; });
    return (it != std::end(tabela) && it->kod == kod) ? &*it : nullptr;
}
} // namespace

QString NazwaBanku(const QString& konto) {
    TKonto k;
    k.SetNumer(konto);
    if (!k.KontoPL())
        return {};
    const QString nazwa = NazwaBankuIV(k.WyroznikIV());
    return nazwa.isEmpty() ? NazwaBankuIII(k.WyroznikIII()) : nazwa;
}

TBank WyznBankXXX(int kod) {
    switch (kod) {
    case 104:
    case 116:
        return bk_Millennium;
    case 105:
    case 180:
    case 197:
    case 218:
        return bk_ING;
    case 109:
    case 139:
    case 150:
        return bk_BZWBK;
    case 114:
    case 151:
    case 163:
        return bk_mBank;
    case 196:
    case 212:
        return bk_Santander;
    default:
        break;
    }
    if (kod <= 0 || kod > 255)
        return bk_Nieznany;
    const auto bank = static_cast<TBank>(kod);
    return WartosciTBank.contains(bank) ? bank : bk_Nieznany;
}

QString NazwaBankuIII(int kod) {
    const auto* e = znajdz(TabelaIII, kod);
    return e ? QString::fromUtf8(e->nazwa) : QString();
}

QString NazwaBankuIV(int kod) {
    const auto* e = znajdz(TabelaIV, kod);
    if (!e)
        return {};
    const QString nazwa = QString::fromUtf8(e->nazwa);
    if (*e->marka == '\0')
        return nazwa;
    return nazwa.leftJustified(140, u' ') + u'\t' + QString::fromUtf8(e->marka);
}
