#include "FTypy.h"

#include "Pole86.h"
#include "StringFun.h"

#include <QDate>

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace {

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// The separator followed by n with at least two digits ("0" before a single digit).
QString tagPodpola(const QString& sep, int n) {
    QString r = sep;
    if (n >= 0 && n < 10)
        r += u'0';
    r += QString::number(n);
    return r;
}

// The amount whose decimal separator is the first sep of s: the digits right before it,
// the separator and the two characters after it. Unreadable is 0.
Money kwotaPrzySeparatorze(const QString& s, QChar sep) {
    const qsizetype a = s.indexOf(sep);
    if (a < 0)
        return {};
    qsizetype i = a - 1;
    while (i >= 0 && isDigit(s[i]))
        --i;
    if (i < 0) // nothing but digits before the separator: no mark, no amount
        return {};
    return StrNaCurr(s.mid(i + 1, a + 2 - i), sep);
}

} // namespace

QString OczyscStr(const QString& s) {
    return UsunCRLF(TrimCtl(s));
}

// ---- TTagList ----

void TTagList::SetText(const QString& tekst, const QString& sep) {
    FLinia86 = tekst;
    FSep = sep;
    FList.clear();
    if (sep.isEmpty())
        return;
    qsizetype a = tekst.indexOf(sep);
    while (a >= 0) {
        const qsizetype dl = sep.size() + std::min<qsizetype>(2, tekst.size() - a - sep.size());
        FList.push_back({static_cast<int>(a) + 1, static_cast<int>(dl)});
        a = tekst.indexOf(sep, a + 1);
    }
}

QString TTagList::TagNr(int n) const {
    return tagPodpola(FSep, n);
}

bool TTagList::JestTagNr(int tagNo) const {
    return PozPoczTagNr(tagNo) > 0;
}

int TTagList::PozPoczTagNr(int tagNo) const {
    const QString t = TagNr(tagNo);
    for (const auto& e : FList)
        if (tag(e) == t)
            return e.Poz;
    return 0;
}

QString TTagList::NextTag(const QString& aktTag) const {
    for (size_t i = 0; i < FList.size(); ++i)
        if (tag(FList[i]) == aktTag)
            return i + 1 < FList.size() ? tag(FList[i + 1]).toString() : QString();
    return {};
}

QString CzytajPodpole(const TTagList& lista, const QString& tag) {
    const QString& t = lista.Linia86();
    const QString next = lista.NextTag(tag);
    return UsunCRLF(next.isEmpty() ? ExtractToEnd(t, tag) : ExtractText(t, tag, next));
}

QString CzytajPodpole(const QString& linia86, const QString& sep, const QString& tag) {
    TTagList lista;
    lista.SetText(UsunCRLF(linia86), sep);
    return CzytajPodpole(lista, tag);
}

// ---- TWyciagAbs: taking the text apart ----

namespace {
// Fields up to and including the first closing balance: a text holding more statements
// keeps only the first (a file of several is split before, one object per statement).
std::vector<PoleMT> doSaldaKoncowego(std::vector<PoleMT> pola) {
    for (size_t i = 0; i < pola.size(); ++i)
        if (pola[i].tag == TagMT::T62F) {
            pola.resize(i + 1);
            break;
        }
    return pola;
}

QString wartosc(const QString& t, const PoleMT& p) {
    return OczyscStr(p.w(t).toString());
}
} // namespace

void TWyciagAbs::SetTekst(const QString& value) {
    UstawPola(value, doSaldaKoncowego(CzytajPola(value)));
}

void TWyciagAbs::UstawPola(const QString& tekst, std::vector<PoleMT> pola) {
    FWyciag = tekst;
    FPola = std::move(pola);
    FSaldoKonc = indeksPola(TagMT::T62F);
    const qsizetype od = FPola.empty() ? 0 : FPola.front().poz;
    const qsizetype doK = FPola.empty() ? tekst.size() : FPola.back().koniec;
    // Seven line feeds are enough to know: the count stops there.
    int lf = 0;
    for (qsizetype p = od; lf < 7 && (p = tekst.indexOf(u'\n', p)) >= 0 && p < doK; ++p)
        ++lf;
    FJestPodzialNaLinie = lf >= 7;
}

// The statement text as the registry knows it: up to the mark after its ":62F:".
QString TWyciagAbs::TekstWyciagu() const {
    if (FPola.empty())
        return FWyciag;
    const qsizetype od = FPola.front().poz;
    const qsizetype doK =
        FSaldoKonc >= 0 ? std::min(FPola[static_cast<size_t>(FSaldoKonc)].start + 1, FWyciag.size())
                        : FPola.back().koniec;
    return FWyciag.mid(od, doK - od);
}

int TWyciagAbs::indeksPola(TagMT tag) const {
    for (size_t i = 0; i < FPola.size(); ++i)
        if (FPola[i].tag == tag)
            return static_cast<int>(i);
    return -1;
}

QString TWyciagAbs::pierwszePole(TagMT tag) const {
    const int i = indeksPola(tag);
    return i >= 0 ? WartoscPola(i) : QString();
}

QString TWyciagAbs::WartoscPola(int i) const {
    return wartosc(FWyciag, FPola[static_cast<size_t>(i)]);
}

// Each ":61:" is a transaction; its information is the ":86:" fields after it, before the
// next transaction or balance (ING writes two). A transaction without field 86 has none,
// rather than the next one's counterparty. Balances split the statement into pages.
void TWyciagAbs::DzielNaLinie() {
    FZakresy.clear();
    FStrony.clear();
    bool wTransakcji = false;
    for (size_t i = 0; i < FPola.size(); ++i) {
        const int ii = static_cast<int>(i);
        switch (FPola[i].tag) {
        case TagMT::T60F:
        case TagMT::T60M:
            if (FPola[i].tag == TagMT::T60M || FStrony.empty()) {
                FStrony.push_back({ii, -1, static_cast<int>(FZakresy.size()), 0});
            }
            wTransakcji = false;
            break;
        case TagMT::T61:
            FZakresy.push_back({ii, -1, 0});
            if (!FStrony.empty())
                ++FStrony.back().ile;
            wTransakcji = true;
            break;
        case TagMT::T86:
            if (wTransakcji) {
                Zakres& z = FZakresy.back();
                if (z.ile86 == 0)
                    z.pierwsze86 = ii;
                ++z.ile86;
            }
            break;
        case TagMT::T62M:
        case TagMT::T62F:
            if (!FStrony.empty() && FStrony.back().zamkniecie < 0)
                FStrony.back().zamkniecie = ii;
            wTransakcji = false;
            break;
        case TagMT::Inny: // passed over, as if it were not there
            break;
        default:
            wTransakcji = false;
            break;
        }
    }
    TworzListeTras();
}

QString TWyciagAbs::Linia61(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= FZakresy.size())
        return {};
    return UsunCRLF(FPola[static_cast<size_t>(FZakresy[static_cast<size_t>(index)].pole61)]
                        .w(FWyciag)
                        .toString());
}

std::vector<QStringView> TWyciagAbs::Pola86(size_t ile) const {
    std::vector<QStringView> r;
    for (const PoleMT& p : FPola) {
        if (r.size() >= ile)
            break;
        if (p.tag == TagMT::T86)
            r.push_back(p.w(FWyciag));
    }
    return r;
}

namespace {
QString bladDaty(const QString& linia61) {
    return QString::fromUtf8("Nie można odczytać daty w wierszu :61:") + linia61;
}
QString bladKwoty(const QString& linia61) {
    return QString::fromUtf8("Nie można odczytać kwoty w wierszu :61:") + linia61;
}

// YYMMDD as a day of 2000-2099; null when it is no day.
QDate dzien(QStringView yymmdd) {
    return QDate(2000 + yymmdd.left(2).toInt(), yymmdd.mid(2, 2).toInt(), yymmdd.mid(4, 2).toInt());
}

// Whole digits of the largest amount a fixed-point amount of four decimals holds.
constexpr qsizetype MaxCyfrKwoty = 14;

int cyfryNaPoczatku(QStringView s) {
    int n = 0;
    while (n < s.size() && isDigit(s[n]))
        ++n;
    return n;
}

// Digits, the decimal separator and at most two decimals, starting at p; p moves past them.
// Nothing when the text there is no such amount.
std::optional<Money> kwotaOd(QStringView l, qsizetype& p, QChar sep) {
    const qsizetype start = p;
    while (p < l.size() && isDigit(l[p]))
        ++p;
    const qsizetype calosci = p - start;
    if (calosci == 0 || calosci > MaxCyfrKwoty || p >= l.size() || l[p] != sep)
        return std::nullopt;
    ++p;
    const qsizetype poczDzies = p;
    while (p < l.size() && isDigit(l[p]))
        ++p;
    if (p - poczDzies > 2)
        return std::nullopt;
    return StrNaCurr(l.mid(start, p - start).toString(), sep);
}

struct Dane61 {
    Date data;
    ZnakTR znak;
    QChar kodSrodkow;
    Money kwota;
};

// Date(s), the mark (C, D, RC, RD), an optional funds code (the currency's third letter:
// "CR" is a credit in euro, never a reversal), then the amount. What cannot be read would be
// booked wrong: the statement is refused, naming the line.
Dane61 czytaj61(const QString& l, QChar sep) {
    Dane61 r;
    const int cyfry = cyfryNaPoczatku(l);
    if (cyfry != 6 && cyfry != 10)
        throw BladWyciagu(bladDaty(l));
    const QDate waluta = dzien(QStringView(l).left(6));
    if (!waluta.isValid())
        throw BladWyciagu(bladDaty(l));
    if (cyfry == 6) {
        r.data = Date(waluta);
    } else {
        // The entry date carries no year: it takes the year that puts it nearest to the
        // value date, so an entry of 2 January for a value date of 31 December falls in the
        // next year.
        const int miesiac = QStringView(l).mid(6, 2).toInt();
        const int dzienKs = QStringView(l).mid(8, 2).toInt();
        QDate najblizsza;
        for (int rok = waluta.year() - 1; rok <= waluta.year() + 1; ++rok) {
            const QDate d(rok, miesiac, dzienKs);
            if (d.isValid() && (!najblizsza.isValid() ||
                                std::abs(waluta.daysTo(d)) < std::abs(waluta.daysTo(najblizsza))))
                najblizsza = d;
        }
        if (!najblizsza.isValid())
            throw BladWyciagu(bladDaty(l));
        r.data = Date(najblizsza);
    }
    qsizetype p = cyfry;
    const auto jest = [&](qsizetype i, QChar c) { return i < l.size() && l[i] == c; };
    if (jest(p, u'R') && (jest(p + 1, u'C') || jest(p + 1, u'D'))) {
        r.znak = l[p + 1] == u'C' ? ZnakTR::RC : ZnakTR::RD;
        p += 2;
    } else if (jest(p, u'C') || jest(p, u'D')) {
        r.znak = l[p] == u'C' ? ZnakTR::C : ZnakTR::D;
        ++p;
    } else {
        throw BladWyciagu(QString::fromUtf8("Nie można odczytać znaku C/D w wierszu :61:") + l);
    }
    if (p < l.size() && l[p].isLetter())
        r.kodSrodkow = l[p++];
    const auto kwota = kwotaOd(l, p, sep);
    if (!kwota)
        throw BladWyciagu(bladKwoty(l));
    r.kwota = *kwota;
    return r;
}
} // namespace

QString NazwaZnaku(ZnakTR z) {
    switch (z) {
    case ZnakTR::C:
        return QStringLiteral("C");
    case ZnakTR::D:
        return QStringLiteral("D");
    case ZnakTR::RC:
        return QStringLiteral("RC");
    case ZnakTR::RD:
        return QStringLiteral("RD");
    }
    return {};
}

void TWyciagAbs::TworzListeTras() {
    FNrWyciagu = WyznNrWyciagu();
    FKontoWL = WyznKontoWL();
    lstTrans.clear();
    lstTrans.reserve(FZakresy.size());
    QString zlaczone;
    for (const Zakres& z : FZakresy) {
        const QStringView w61 = FPola[static_cast<size_t>(z.pole61)].w(FWyciag);
        const QString l61 = (w61.contains(u'\n') || w61.contains(u'\r')) ? UsunCRLF(w61.toString())
                                                                         : w61.toString();
        const Dane61 linia = czytaj61(l61, SepDzies());
        recPrzelew r;
        r.NumerWyciagu = FNrWyciagu;
        r.NrKontaWlasciciela = FKontoWL;
        r.DataOperacji = linia.data;
        r.KwotaOperacji = linia.kwota;
        r.Znak = linia.znak;
        r.ZnakSalda = (linia.znak == ZnakTR::C) ? u'C' : (linia.znak == ZnakTR::D) ? u'D' : u'R';
        r.KodSrodkow = linia.kodSrodkow;
        if (z.ile86 > 0) {
            QStringView l86 = FPola[static_cast<size_t>(z.pierwsze86)].w(FWyciag);
            if (z.ile86 > 1) { // several ":86:" fields read as one
                zlaczone.clear();
                for (int k = 0; k < z.ile86; ++k)
                    zlaczone += FPola[static_cast<size_t>(z.pierwsze86 + k)].w(FWyciag);
                l86 = zlaczone;
            }
            Dane86 d = CzytajPole86(l86, *FDialekt, FKontoWL);
            r.TytulOperacji = std::move(d.opis);
            r.NazwaKontrahenta = std::move(d.nazwa);
            r.NrKontaKontrahenta = std::move(d.konto);
        }
        lstTrans.push_back(std::move(r));
    }
}

// ---- TWyciagAbs: statement-level values ----

// ":28:" before ":28C:". In a statement of lines, the first line of the field; otherwise the
// whole value, line breaks removed.
QString TWyciagAbs::WyznNrWyciagu() const {
    int i = indeksPola(TagMT::T28);
    if (i < 0)
        i = indeksPola(TagMT::T28C);
    if (i < 0)
        return {};
    if (FDialekt->numerBezStrony) {
        // "number/page" or, today, "year/number/page": the page is dropped; ":28:" is not
        // this bank's.
        i = indeksPola(TagMT::T28C);
        if (i < 0)
            return {};
        QStringView w = FPola[static_cast<size_t>(i)].w(FWyciag);
        const qsizetype nl = w.indexOf(u'\n');
        const QString linia = OczyscStr((nl >= 0 ? w.first(nl) : w).toString());
        const qsizetype ukosnik = linia.lastIndexOf(u'/');
        return ukosnik >= 0 ? linia.left(ukosnik) : linia;
    }
    QStringView w = FPola[static_cast<size_t>(i)].w(FWyciag);
    if (FJestPodzialNaLinie) {
        const qsizetype nl = w.indexOf(u'\n');
        if (nl >= 0)
            w = w.first(nl);
    }
    return OczyscStr(w.toString()).left(50);
}

QString TWyciagAbs::LiniaKontoWL() const {
    return pierwszePole(TagMT::T25);
}

QString TWyciagAbs::WyznKontoWL() const {
    QString s = UsunSpacje(LiniaKontoWL());
    if (s.startsWith(u'/'))
        s.remove(0, 1);
    if (s.size() == 28 && !SaTylkoCyfry(s))
        return s.mid(2);
    return s;
}

// The opening balance: the ":60F:" value alone.
QString TWyciagAbs::LiniaSaldoPocz() const {
    return pierwszePole(TagMT::T60F);
}

Money TWyciagAbs::SaldoPocz() const {
    const QString s = LiniaSaldoPocz();
    const Money kwota = kwotaPrzySeparatorze(s, SepDzies());
    return s.startsWith(u'D') ? -kwota : kwota;
}

QString TWyciagAbs::Waluta() const {
    const QString s = LiniaSaldoPocz();
    return s.size() >= 10 ? s.mid(7, 3) : QString();
}

QString TWyciagAbs::GetLiniaKwoty(int startPos) const {
    for (const PoleMT& p : FPola)
        if (p.tag == TagMT::T61 && p.poz + 1 >= startPos) {
            QStringView w = p.w(FWyciag);
            if (FJestPodzialNaLinie) {
                const qsizetype nl = w.indexOf(u'\n');
                if (nl >= 0)
                    w = w.first(nl);
            }
            return OczyscStr(w.toString());
        }
    return {};
}

Saldo CzytajSaldo(const QString& w, const QString& tag) {
    const auto blad = [&] {
        return BladWyciagu(QString::fromUtf8("Nie można odczytać salda w wierszu ") + tag + w);
    };
    if (w.size() < 11 || (w[0] != u'C' && w[0] != u'D') ||
        cyfryNaPoczatku(QStringView(w).mid(1)) < 6 || !dzien(QStringView(w).mid(1, 6)).isValid())
        throw blad();
    Saldo s;
    s.waluta = w.mid(7, 3);
    for (QChar c : s.waluta)
        if (c < u'A' || c > u'Z')
            throw blad();
    qsizetype p = 10;
    const auto kwota = kwotaOd(w, p, u',');
    if (!kwota || !w.mid(p).trimmed().isEmpty())
        throw blad();
    s.kwota = w[0] == u'D' ? -*kwota : *kwota;
    return s;
}

// ---- TWyciagAbs: field 61 ----

TRodzDaty61 TWyciagAbs::GetRodzajDaty61(const QString& linia61) {
    switch (cyfryNaPoczatku(linia61)) {
    case 6:
        return TRodzDaty61::dataKrotka;
    case 10:
        return TRodzDaty61::dataDluga;
    default:
        return TRodzDaty61::dataInna;
    }
}

// ---- TWyciagAbs: per-transaction getters ----

const recPrzelew* TWyciagAbs::trans(int index) const {
    return (index >= 0 && static_cast<size_t>(index) < lstTrans.size())
               ? &lstTrans[static_cast<size_t>(index)]
               : nullptr;
}

Date TWyciagAbs::GetDataTR(int index) const {
    const auto* r = trans(index);
    return r ? r->DataOperacji : Date::zero();
}

QString TWyciagAbs::GetOpisTR(int index) const {
    const auto* r = trans(index);
    return r ? r->TytulOperacji : QString();
}

Money TWyciagAbs::GetKwotaTR(int index) const {
    const auto* r = trans(index);
    return r ? r->KwotaOperacji : Money();
}

QChar TWyciagAbs::GetStronaKS(int index) const {
    const auto* r = trans(index);
    return r ? r->ZnakSalda : QChar(u' ');
}

ZnakTR TWyciagAbs::GetZnakTR(int index) const {
    const auto* r = trans(index);
    return r ? r->Znak : ZnakTR::C;
}

QString TWyciagAbs::GetKontoKL(int index) const {
    const auto* r = trans(index);
    return r ? r->NrKontaKontrahenta : QString();
}

QString TWyciagAbs::GetKontoKL_KR(int index) const {
    TKonto konto;
    konto.SetNumer(GetKontoKL(index));
    return konto.KodKR();
}

QString TWyciagAbs::GetKontoKL_NR(int index) const {
    TKonto konto;
    konto.SetNumer(GetKontoKL(index));
    return konto.NRB();
}

QString TWyciagAbs::GetNazwaKL(int index) const {
    const auto* r = trans(index);
    return r ? r->NazwaKontrahenta : QString();
}

QString TWyciagAbs::GetStrDataTR(int index) const {
    const auto* r = trans(index);
    return r ? r->DataOperacji.qdate().toString(QStringLiteral("dd-MM-yyyy")) : QString();
}
