#pragma once

#include "Interfejsy.h"
#include "procBankowe.h"

#include <QChar>
#include <QString>
#include <QStringList>

#include <stdexcept>
#include <utility>
#include <vector>

// A statement that cannot be read as it stands: an amount, a date or a value that would be
// booked wrong. The message is the user's, in Polish, and names the line.
class BladWyciagu : public std::runtime_error {
public:
    explicit BladWyciagu(const QString& komunikat)
        : std::runtime_error(komunikat.toStdString()), komunikat_(komunikat) {}
    const QString& komunikat() const { return komunikat_; }

private:
    QString komunikat_;
};

// One occurrence of the field-86 subfield separator; its tag is the separator and the (up
// to) two characters after it in the indexed text, read there rather than copied, so that a
// huge field 86 costs a few bytes per occurrence.
struct recTag86 {
    int Poz = 0; // 1-based position of the separator in the indexed text
    int Dl = 0;  // length of the tag
};

// Every occurrence of a separator in one field-86 text, in text order.
class TTagList {
public:
    void SetText(const QString& tekst, const QString& sep);
    bool JestTagNr(int tagNo) const;
    int PozPoczTagNr(int tagNo) const;
    // The tag after the first entry equal to aktTag; empty when there is none.
    QString NextTag(const QString& aktTag) const;
    int Count() const { return static_cast<int>(FList.size()); }
    const QString& Linia86() const { return FLinia86; }
    // The separator followed by n written with at least two digits.
    QString TagNr(int n) const;

private:
    QStringView tag(const recTag86& e) const { return QStringView(FLinia86).mid(e.Poz - 1, e.Dl); }
    std::vector<recTag86> FList;
    QString FLinia86;
    QString FSep;
};

// The subfield numbers whose texts make up one derived value, in joining order.
struct TNumeryPol {
    std::vector<int> Lista;
};

// One transaction of a statement.
struct recPrzelew {
    QString NumerWyciagu;
    QString NrKontaWlasciciela;
    Date DataOperacji;
    Money KwotaOperacji; // never negative: the side is in ZnakSalda
    QChar ZnakSalda = u' ';
    QString TytulOperacji;
    QString NazwaKontrahenta;
    QString NrKontaKontrahenta;
};

// The form of field 61's leading date: value date only, value and entry date, anything else.
enum class TRodzDaty61 { dataKrotka, dataDluga, dataInna };

// Reads one subfield of a field-86 text: from the first occurrence of its tag up to the next
// separator occurrence (or the end), line breaks removed.
QString CzytajPodpole(const QString& linia86, const QString& sep, const QString& tag);
// The same over a tag list already built on a text without line breaks.
QString CzytajPodpole(const TTagList& lista, const QString& tag);

// The MT940 reading shared by every bank. A variant supplies the field-86 layout (separator,
// subfield numbers) and, where its bank differs, the statement-number rule.
class TWyciagAbs : public IWyciag {
public:
    void DzielNaLinie() override;
    void SetTekst(const QString& value) override;
    QString TekstWyciagu() const override { return FWyciag; }
    QString GetNrWyciagu() const override { return FNrWyciagu.left(50); }
    QString GetKontoWL() const override { return FKontoWL; }
    Date GetDataTR(int index) const override;
    QString GetOpisTR(int index) const override;
    Money GetKwotaTR(int index) const override;
    QChar GetStronaKS(int index) const override;
    QString GetKontoKL(int index) const override;
    QString GetKontoKL_KR(int index) const override;
    QString GetKontoKL_NR(int index) const override;
    QString GetNazwaKL(int index) const override;
    QString GetStrDataTR(int index) const override;
    QString LiniaSaldoPocz() const override;
    int MinIndex() const override { return 0; }
    int MaxIndex() const override { return static_cast<int>(lstTrans.size()) - 1; }
    Money SaldoPocz() const override;

    const std::vector<recPrzelew>& Transakcje() const { return lstTrans; }
    // The field-61 line at or after a 1-based position.
    QString GetLiniaKwoty(int startPos) const;

protected:
    virtual QChar SepDzies() const { return u','; }
    virtual QString SeparatorSubpola() const { return QStringLiteral("~"); }
    virtual QString WyznNrWyciagu() const;
    virtual QString WyznKontoWL() const;
    virtual Date WyznDataTR(const QString& linia61) const;
    virtual Money WyznKwotaTR(const QString& linia61) const;
    virtual QChar WyznStronaKS(const QString& linia61) const;
    virtual QString WyznKontoKL(const QString& linia86) const;
    virtual QString WyznNazwaKL(const QString& linia86) const;
    virtual QString WyznOpisTR(const QString& linia86) const;
    virtual QString LiniaKontoWL() const;
    virtual QString SaldoPosrTag() const { return QStringLiteral(":62M:"); }
    virtual QString SaldoKoncTag() const { return QStringLiteral(":62F:"); }
    const TNumeryPol& PolaOpis() const { return FPolaOpis; }
    const TNumeryPol& PolaNazwa() const { return FPolaNazwa; }
    virtual int PoleKonto() const { return 38; }

    static TRodzDaty61 GetRodzajDaty61(const QString& linia61);
    QString TagKontoKL() const;
    QString TagNumer(int n) const;

    // The subfields of the title and of the counterparty's name, filled by each variant's
    // constructor.
    TNumeryPol FPolaOpis;
    TNumeryPol FPolaNazwa;

private:
    void TworzListeTras();
    QString PolaczPodpola(const QString& linia86, const TNumeryPol& pola) const;
    const recPrzelew* trans(int index) const;

    QString FWyciag;
    QString FNrWyciagu;
    QString FKontoWL;
    bool FJestPodzialNaLinie = false;
    QStringList lstLinia61;
    // Where each field-86 text lies in FWyciag (start, length): a huge field is not copied
    // for the whole reading, only while its transaction is derived.
    std::vector<std::pair<qsizetype, qsizetype>> lstlinia86;
    std::vector<int> lstPos61;
    std::vector<recPrzelew> lstTrans;
};

// Trims blanks and control characters at both ends, then removes every line break.
QString OczyscStr(const QString& s);
