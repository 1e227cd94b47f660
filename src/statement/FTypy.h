#pragma once

#include "Dialekty.h"
#include "Interfejsy.h"
#include "Pola.h"
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

QString NazwaZnaku(ZnakTR z);

// One transaction of a statement.
struct recPrzelew {
    QString NumerWyciagu;
    QString NrKontaWlasciciela;
    Date DataOperacji;
    Money KwotaOperacji; // never negative: the side is in ZnakSalda
    QChar ZnakSalda = u' ';
    ZnakTR Znak = ZnakTR::C;
    QChar KodSrodkow; // the funds code after the mark (the currency's third letter), or null
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

// A balance line (":60F:", ":62F:", ...) read strictly: mark, date, currency, amount.
struct Saldo {
    Money kwota; // signed: a debit balance is negative
    QString waluta;
};

// One page of a statement (a statement sent in pages has several): its opening and closing
// balance fields and the transactions between them.
struct StronaWyciagu {
    int otwarcie = -1;   // index of the :60F:/:60M: field
    int zamkniecie = -1; // index of the :62M:/:62F: field
    int pierwsza = 0;    // first transaction of the page
    int ile = 0;         // number of its transactions
};

// The MT940 reading shared by every bank. The bank's dialect (Dialekty.h) says how field 86
// is laid out; everything else is read here, from the fields of the statement text found in
// one pass (Pola.h), without copying the text.
class TWyciagAbs : public IWyciag {
public:
    explicit TWyciagAbs(const Dialekt& dialekt) : FDialekt(&dialekt) {}

    void DzielNaLinie() override;
    void SetTekst(const QString& value) override;
    // The statement lying in `tekst` as the fields [od, do) of `pola`: no copy of the text.
    void UstawPola(const QString& tekst, std::vector<PoleMT> pola);
    QString TekstWyciagu() const override;
    QString GetNrWyciagu() const override { return FNrWyciagu.left(50); }
    QString GetKontoWL() const override { return FKontoWL; }
    Date GetDataTR(int index) const override;
    QString GetOpisTR(int index) const override;
    Money GetKwotaTR(int index) const override;
    QChar GetStronaKS(int index) const override;
    ZnakTR GetZnakTR(int index) const override;
    QString GetKontoKL(int index) const override;
    QString GetKontoKL_KR(int index) const override;
    QString GetKontoKL_NR(int index) const override;
    QString GetNazwaKL(int index) const override;
    QString GetStrDataTR(int index) const override;
    QString LiniaSaldoPocz() const override;
    int MinIndex() const override { return 0; }
    int MaxIndex() const override { return static_cast<int>(lstTrans.size()) - 1; }
    Money SaldoPocz() const override;
    TBank Bank() const override { return FBank != bk_Nieznany ? FBank : FDialekt->bank; }
    QString Waluta() const override;
    QString NazwaUkladu() const override { return FDialekt->nazwaUkladu; }

    const std::vector<recPrzelew>& Transakcje() const { return lstTrans; }
    const Dialekt& dialekt() const { return *FDialekt; }
    // Reads the statement with another dialect (the one its field 86 turned out to follow).
    void UstawDialekt(const Dialekt& d) { FDialekt = &d; }
    // The bank of the statement's owner, when it is read by a general shape.
    void UstawBank(TBank b) { FBank = b; }
    // The first `ile` field-86 texts of the statement, for telling their shape.
    std::vector<QStringView> Pola86(size_t ile) const;

    // The balances and pages, for the check that the statement adds up.
    const std::vector<StronaWyciagu>& Strony() const { return FStrony; }
    const PoleMT& Pole(int i) const { return FPola[static_cast<size_t>(i)]; }
    QString WartoscPola(int i) const;
    // The ":62F:" field; -1 without one.
    int PoleSaldaKonc() const { return FSaldoKonc; }
    // The field-61 text of a transaction, line breaks removed.
    QString Linia61(int index) const;

    // The field-61 line at or after a 1-based position.
    QString GetLiniaKwoty(int startPos) const;

protected:
    virtual QChar SepDzies() const { return u','; }
    virtual QString SeparatorSubpola() const { return QString(FDialekt->separator); }
    virtual QString WyznNrWyciagu() const;
    virtual QString WyznKontoWL() const;
    virtual QString LiniaKontoWL() const;
    QString SaldoPosrTag() const { return QStringLiteral(":62M:"); }
    QString SaldoKoncTag() const { return QStringLiteral(":62F:"); }

    static TRodzDaty61 GetRodzajDaty61(const QString& linia61);

private:
    void TworzListeTras();
    // The value of the first field with this tag; empty without one.
    QString pierwszePole(TagMT tag) const;
    int indeksPola(TagMT tag) const;
    const recPrzelew* trans(int index) const;

    const Dialekt* FDialekt;
    TBank FBank = bk_Nieznany;
    QString FWyciag;           // the text the fields lie in (shared, not copied)
    std::vector<PoleMT> FPola; // this statement's fields, up to its ":62F:"
    int FSaldoKonc = -1;
    QString FNrWyciagu;
    QString FKontoWL;
    bool FJestPodzialNaLinie = false;
    // Per transaction: its ":61:" field and the range of its ":86:" fields.
    struct Zakres {
        int pole61;
        int pierwsze86;
        int ile86;
    };
    std::vector<Zakres> FZakresy;
    std::vector<StronaWyciagu> FStrony;
    std::vector<recPrzelew> lstTrans;
};

// Reads a balance field strictly; BladWyciagu naming the line when it cannot be read.
Saldo CzytajSaldo(const QString& wartosc, const QString& tag);

// Trims blanks and control characters at both ends, then removes every line break.
QString OczyscStr(const QString& s);
