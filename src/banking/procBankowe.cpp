#include "procBankowe.h"

#include "StringFun.h"

namespace {
QString GetIdBanku(const QString& nrb) {
    return nrb.mid(2, 4);
}
QString GetIdOddz(const QString& nrb) {
    return nrb.mid(6, 4);
}
} // namespace

void TKonto::SetNumer(const QString& value) {
    const QString s = UsunSpacje(TrimCtl(value));
    Zeruj();
    if (s.size() < 12) {
        FNumer = s;
        return;
    }
    if (s[0].isLetter() && s[1].isLetter()) {
        FIBAN = s;
        FKodKR = s.left(2);
        FNRB = s.mid(2);
    } else {
        FNRB = s;
    }
    FIdBanku = GetIdBanku(FNRB);
    FIdOddz = GetIdOddz(FNRB);
    FNrRozl = FIdBanku + FIdOddz;
    FNumer = s;
}

void TKonto::Zeruj() {
    FNumer.clear();
    FIdBanku.clear();
    FNRB.clear();
    FNrRozl.clear();
    FKodKR.clear();
    FIBAN.clear();
    FIdOddz.clear();
}

bool TKonto::KontoPL() const {
    return (FKodKR.isEmpty() || FKodKR == QLatin1String("PL")) && FNRB.size() == PL_KONTO_LEN &&
           SaTylkoCyfry(FNRB);
}

int TKonto::WyroznikIII() const {
    return KontoPL() ? FIdBanku.left(3).toInt() : 0;
}

int TKonto::WyroznikIV() const {
    return KontoPL() ? FIdBanku.toInt() : 0;
}
