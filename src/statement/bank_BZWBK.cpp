#include "bank_BZWBK.h"

#include "StringFun.h"
#include "procBankowe.h"

TWyciagBZWBK::TWyciagBZWBK() {
    FPolaOpis.Lista = {20};
    FPolaNazwa.Lista = {32};
}

// This bank writes the number as "number/page" or, today, "year/number/page": the number is
// the line after ":28C:" without its last "/" part ("00012/001" is 00012, "2024/77/1" is
// 2024/77), and a line without "/" is the number as it stands.
QString TWyciagBZWBK::WyznNrWyciagu() const {
    const QString& t = TekstWyciagu();
    const QString tag = QStringLiteral(":28C:");
    const qsizetype p = t.indexOf(tag);
    if (p < 0)
        return {};
    const qsizetype start = p + tag.size();
    qsizetype koniec = t.indexOf(u'\n', start);
    const qsizetype saldo = t.indexOf(u':', start);
    if (koniec < 0 || (saldo >= 0 && saldo < koniec))
        koniec = saldo >= 0 ? saldo : t.size(); // a text without line breaks: up to the next tag
    const QString linia = OczyscStr(t.mid(start, koniec - start));
    const qsizetype ukosnik = linia.lastIndexOf(u'/');
    return ukosnik >= 0 ? linia.left(ukosnik) : linia;
}

namespace {
bool toSamoKonto(const QString& a, const QString& b) {
    TKonto ka;
    TKonto kb;
    ka.SetNumer(a);
    kb.SetNumer(b);
    return !ka.NRB().isEmpty() && ka.NRB() == kb.NRB();
}
} // namespace

// The older layout writes the payer's account in ">31". Today's writes the statement's own
// account there and the payer's (for a company with identification accounts, that payer's own
// virtual account) in ">38", 26 digits without prefix. The own account is never the payer's.
QString TWyciagBZWBK::WyznKontoKL(const QString& linia86) const {
    const QString k31 = TWyciagAbs::WyznKontoKL(linia86);
    if (!UsunSpacje(k31).isEmpty() && !toSamoKonto(k31, GetKontoWL()))
        return k31;
    const QString k38 = CzytajPodpole(linia86, SeparatorSubpola(), TagNumer(38));
    return UsunSpacje(k38).isEmpty() ? k31 : k38;
}
