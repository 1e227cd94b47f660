#pragma once

#include "Banki.h"
#include "Date.h"
#include "Money.h"

#include <QChar>
#include <QString>

// The debit/credit mark of a field 61: credit, debit, reversal of a credit (money taken
// back), reversal of a debit (money returned).
enum class ZnakTR : unsigned char { C, D, RC, RD };

// What the payment import needs of a statement. Variants are held through
// std::shared_ptr<IWyciag>; the statement lives as long as someone holds it.
//
// Calling order: SetTekst, DzielNaLinie, then any getters. The per-transaction getters
// answer empty text, the zero date, a zero amount or (StronaKS) a space for an index
// outside MinIndex..MaxIndex.
class IWyciag {
public:
    virtual ~IWyciag() = default;

    virtual void DzielNaLinie() = 0;
    virtual void SetTekst(const QString& value) = 0;
    virtual QString TekstWyciagu() const = 0;
    virtual QString GetNrWyciagu() const = 0;
    virtual QString GetKontoWL() const = 0;
    virtual Date GetDataTR(int index) const = 0;
    virtual QString GetOpisTR(int index) const = 0;
    virtual Money GetKwotaTR(int index) const = 0;
    virtual QChar GetStronaKS(int index) const = 0;
    // The whole mark: C, D, RC or RD (GetStronaKS gives R for both reversals).
    virtual ZnakTR GetZnakTR(int index) const = 0;
    virtual QString GetKontoKL(int index) const = 0;
    virtual QString GetKontoKL_KR(int index) const = 0;
    virtual QString GetKontoKL_NR(int index) const = 0;
    virtual QString GetNazwaKL(int index) const = 0;
    virtual QString GetStrDataTR(int index) const = 0;
    virtual QString LiniaSaldoPocz() const = 0;
    virtual int MinIndex() const = 0;
    virtual int MaxIndex() const = 0;

    // The signed opening balance and the bank whose layout this variant reads; for callers
    // that show the statement itself rather than import it.
    virtual Money SaldoPocz() const = 0;
    virtual TBank Bank() const = 0;
    // The currency of the opening balance ("PLN", "EUR").
    virtual QString Waluta() const = 0;
    // The field-86 layout the statement was read with: a bank's dialect or a general shape.
    virtual QString NazwaUkladu() const = 0;
};
