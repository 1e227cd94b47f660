#include "FTypy.h"

#include "StringFun.h"
#include "Wyglad.h"

#include <QDate>

#include <algorithm>
#include <cstdlib>

namespace {
const QString Tag61 = QStringLiteral(":61:");
const QString Tag86 = QStringLiteral(":86:");
const QString Tag60M = QStringLiteral(":60M:");

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

void TWyciagAbs::SetTekst(const QString& value) {
    const qsizetype p = value.indexOf(SaldoKoncTag());
    // Keep the closing-balance tag and the mark after it. A file of several statements is
    // split before (PodzielNaWyciagi), one variant per statement.
    FWyciag = p >= 0 ? value.left(p + SaldoKoncTag().size() + 1) : value;
    FJestPodzialNaLinie = FWyciag.count(u'\n') >= 7;
}

// Each ":61:" starts a transaction; its information is the ":86:" that follows it before the
// next ":61:". A transaction without field 86 therefore has none, rather than the next
// transaction's counterparty (which would credit that payer twice), and a search never runs
// past the next transaction, so reading stays linear in the statement's size.
void TWyciagAbs::DzielNaLinie() {
    const QString& t = FWyciag;
    lstPos61.clear();
    lstLinia61.clear();
    lstlinia86.clear();

    for (qsizetype a = t.indexOf(Tag61); a >= 0;) {
        const qsizetype n61 = t.indexOf(Tag61, a + 1);
        const qsizetype koniec = n61 >= 0 ? n61 : t.size();
        const qsizetype p86 = QStringView(t).first(koniec).indexOf(Tag86, a + 1);
        if (p86 < 0 && n61 < 0)
            break; // a last ":61:" with no ":86:" after it is not read
        const qsizetype koniec61 = p86 >= 0 ? p86 : n61;
        const QString s = UsunCRLF(t.mid(a + Tag61.size(), koniec61 - a - Tag61.size()));
        if (s.isEmpty())
            break; // an empty field 61 ends the list
        std::pair<qsizetype, qsizetype> s86{0, 0};
        if (p86 >= 0) {
            // Field 86 ends at the next transaction or at a balance: the closing one, or the
            // intermediate ones between the pages of a statement sent in pages.
            qsizetype k86 = n61 >= 0 ? n61 : t.size();
            const QStringView zakres = QStringView(t).first(k86);
            for (const QString& tag : {SaldoKoncTag(), SaldoPosrTag(), Tag60M}) {
                const qsizetype q = zakres.indexOf(tag, p86 + Tag86.size());
                if (q >= 0)
                    k86 = std::min(k86, q);
            }
            if (n61 < 0 && k86 == t.size())
                k86 = p86 + Tag86.size(); // the last field 86 needs its closing balance
            s86 = {p86 + Tag86.size(), k86 - p86 - Tag86.size()};
        }
        lstPos61.push_back(static_cast<int>(a) + 1);
        lstLinia61.append(s);
        lstlinia86.push_back(s86);
        a = n61;
    }
    TworzListeTras();
}

void TWyciagAbs::TworzListeTras() {
    FNrWyciagu = WyznNrWyciagu();
    FKontoWL = WyznKontoWL();
    lstTrans.clear();
    lstTrans.reserve(static_cast<size_t>(lstLinia61.size()));
    for (qsizetype i = 0; i < lstLinia61.size(); ++i) {
        const QString& l61 = lstLinia61[i];
        const auto& [start86, dl86] = lstlinia86[static_cast<size_t>(i)];
        const QString l86 = FWyciag.mid(start86, dl86);
        recPrzelew r;
        r.NumerWyciagu = FNrWyciagu;
        r.NrKontaWlasciciela = FKontoWL;
        r.DataOperacji = WyznDataTR(l61);
        r.KwotaOperacji = WyznKwotaTR(l61);
        r.ZnakSalda = WyznStronaKS(l61);
        r.TytulOperacji = WyznOpisTR(l86);
        r.NazwaKontrahenta = WyznNazwaKL(l86);
        r.NrKontaKontrahenta = WyznKontoKL(l86);
        lstTrans.push_back(std::move(r));
    }
}

// ---- TWyciagAbs: statement-level values ----

QString TWyciagAbs::WyznNrWyciagu() const {
    const QString& t = FWyciag;
    QString tag;
    if (t.contains(QStringLiteral(":28:")))
        tag = QStringLiteral(":28:");
    else if (t.contains(QStringLiteral(":28C:")))
        tag = QStringLiteral(":28C:");
    else
        return {};
    QString raw;
    if (FJestPodzialNaLinie)
        raw = ExtractText(t, tag, QStringLiteral("\n"));
    else if (t.contains(QStringLiteral(":60F:")))
        raw = UsunCRLF(ExtractText(t, tag, QStringLiteral(":60F:")));
    else
        return {};
    return OczyscStr(raw).left(50);
}

// Field 25 up to the statement number, tagged ":28C:" or, in some banks, ":28:": a statement
// is registered with its own account whichever tag its bank writes.
QString TWyciagAbs::LiniaKontoWL() const {
    QString s = OczyscStr(ExtractText(FWyciag, QStringLiteral(":25:"), QStringLiteral(":28C:")));
    if (s.isEmpty())
        s = OczyscStr(ExtractText(FWyciag, QStringLiteral(":25:"), QStringLiteral(":28:")));
    return s;
}

QString TWyciagAbs::WyznKontoWL() const {
    QString s = UsunSpacje(LiniaKontoWL());
    if (s.startsWith(u'/'))
        s.remove(0, 1);
    if (s.size() == 28 && !SaTylkoCyfry(s))
        return s.mid(2);
    return s;
}

// The opening balance up to the first transaction; a statement without transactions (a day
// with no movement in an export of several days) has it up to its closing balance.
QString TWyciagAbs::LiniaSaldoPocz() const {
    const QString tag60 = QStringLiteral(":60F:");
    const QString koniec =
        FWyciag.indexOf(Tag61, FWyciag.indexOf(tag60)) >= 0 ? Tag61 : SaldoKoncTag();
    return OczyscStr(ExtractText(FWyciag, tag60, koniec));
}

Money TWyciagAbs::SaldoPocz() const {
    const QString s = LiniaSaldoPocz();
    const Money kwota = kwotaPrzySeparatorze(s, SepDzies());
    return s.startsWith(u'D') ? -kwota : kwota;
}

QString TWyciagAbs::GetLiniaKwoty(int startPos) const {
    const QString koniec = FJestPodzialNaLinie ? QStringLiteral("\n") : Tag86;
    return OczyscStr(ExtractTextEx(FWyciag, Tag61, koniec, startPos));
}

// ---- TWyciagAbs: field 61 ----

TRodzDaty61 TWyciagAbs::GetRodzajDaty61(const QString& linia61) {
    switch (LiczbaCyfrNaPoczatku(linia61)) {
    case 6:
        return TRodzDaty61::dataKrotka;
    case 10:
        return TRodzDaty61::dataDluga;
    default:
        return TRodzDaty61::dataInna;
    }
}

namespace {
QString bladDaty(const QString& linia61) {
    return QString::fromUtf8("Nie można odczytać daty w wierszu :61:") + linia61;
}
QString bladKwoty(const QString& linia61) {
    return QString::fromUtf8("Nie można odczytać kwoty w wierszu :61:") + linia61;
}

// YYMMDD as a day of 2000-2099; null when it is no day.
QDate dzien(const QString& yymmdd) {
    return QDate(2000 + yymmdd.left(2).toInt(), yymmdd.mid(2, 2).toInt(), yymmdd.mid(4, 2).toInt());
}

// Whole digits of the largest amount a fixed-point amount of four decimals holds.
constexpr qsizetype MaxCyfrKwoty = 14;

// Length of the debit/credit mark at position p: "C", "D", "RC", "RD"; 0 for anything else.
int dlugoscZnaku(const QString& l, qsizetype p) {
    if (p < l.size() && (l[p] == u'C' || l[p] == u'D'))
        return 1;
    if (p + 1 < l.size() && l[p] == u'R' && (l[p + 1] == u'C' || l[p + 1] == u'D'))
        return 2;
    return 0;
}
} // namespace

// A field 61 whose date cannot be read would be booked on no day: the statement is refused.
Date TWyciagAbs::WyznDataTR(const QString& linia61) const {
    const TRodzDaty61 rodzaj = GetRodzajDaty61(linia61);
    if (rodzaj == TRodzDaty61::dataInna)
        throw BladWyciagu(bladDaty(linia61));
    const QDate waluta = dzien(linia61.left(6));
    if (!waluta.isValid())
        throw BladWyciagu(bladDaty(linia61));
    if (rodzaj == TRodzDaty61::dataKrotka)
        return Date(waluta);
    // The entry date carries no year: it takes the year that puts it nearest to the value
    // date, so an entry of 2 January for a value date of 31 December falls in the next year.
    const int miesiac = linia61.mid(6, 2).toInt();
    const int dzienKs = linia61.mid(8, 2).toInt();
    QDate najblizsza;
    for (int rok = waluta.year() - 1; rok <= waluta.year() + 1; ++rok) {
        const QDate d(rok, miesiac, dzienKs);
        if (d.isValid() && (!najblizsza.isValid() ||
                            std::abs(waluta.daysTo(d)) < std::abs(waluta.daysTo(najblizsza))))
            najblizsza = d;
    }
    if (!najblizsza.isValid())
        throw BladWyciagu(bladDaty(linia61));
    return Date(najblizsza);
}

QChar TWyciagAbs::WyznStronaKS(const QString& linia61) const {
    qsizetype p = -1;
    switch (GetRodzajDaty61(linia61)) {
    case TRodzDaty61::dataKrotka:
        p = 6;
        break;
    case TRodzDaty61::dataDluga:
        p = 10;
        break;
    case TRodzDaty61::dataInna:
        break;
    }
    return (p >= 0 && p < linia61.size()) ? linia61[p] : QChar(u'-');
}

// After the date(s): the mark (C, D, RC, RD), an optional funds-code letter, then the amount:
// digits, the decimal separator and at most two decimals. Anything else ("250.50", an empty
// amount, letters) would be booked as a wrong amount: the statement is refused.
Money TWyciagAbs::WyznKwotaTR(const QString& linia61) const {
    const int cyfry = LiczbaCyfrNaPoczatku(linia61);
    if (cyfry != 6 && cyfry != 10)
        throw BladWyciagu(bladDaty(linia61));
    qsizetype p = cyfry;
    const int znak = dlugoscZnaku(linia61, p);
    if (znak == 0)
        throw BladWyciagu(QString::fromUtf8("Nie można odczytać znaku C/D w wierszu :61:") +
                          linia61);
    p += znak;
    if (p < linia61.size() && linia61[p].isLetter())
        ++p; // funds code
    const qsizetype start = p;
    while (p < linia61.size() && isDigit(linia61[p]))
        ++p;
    const qsizetype calosci = p - start;
    if (calosci == 0 || calosci > MaxCyfrKwoty || p >= linia61.size() || linia61[p] != SepDzies())
        throw BladWyciagu(bladKwoty(linia61));
    ++p;
    const qsizetype poczDzies = p;
    while (p < linia61.size() && isDigit(linia61[p]))
        ++p;
    if (p - poczDzies > 2)
        throw BladWyciagu(bladKwoty(linia61));
    return StrNaCurr(linia61.mid(start, p - start), SepDzies());
}

// ---- TWyciagAbs: field 86 ----

QString TWyciagAbs::TagKontoKL() const {
    return SeparatorSubpola() + QString::number(PoleKonto());
}

QString TWyciagAbs::TagNumer(int n) const {
    return tagPodpola(SeparatorSubpola(), n);
}

QString TWyciagAbs::WyznKontoKL(const QString& linia86) const {
    TTagList lista;
    lista.SetText(UsunCRLF(linia86), SeparatorSubpola());
    if (!lista.JestTagNr(PoleKonto()))
        return {};
    return CzytajPodpole(lista, TagKontoKL());
}

QString TWyciagAbs::PolaczPodpola(const QString& linia86, const TNumeryPol& pola) const {
    if (pola.Lista.empty())
        return {};
    TTagList lista;
    lista.SetText(UsunCRLF(linia86), SeparatorSubpola());
    QString r;
    for (int n : pola.Lista)
        r += u' ' + CzytajPodpole(lista, TagNumer(n));
    // Banks cut long texts into subfields anywhere; one space joins the pieces.
    return TrimCtl(r).replace(QStringLiteral("  "), QStringLiteral(" "));
}

QString TWyciagAbs::WyznNazwaKL(const QString& linia86) const {
    return PolaczPodpola(linia86, PolaNazwa());
}

QString TWyciagAbs::WyznOpisTR(const QString& linia86) const {
    return PolaczPodpola(linia86, PolaOpis());
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
    return r ? FormatDaty(r->DataOperacji) : QString();
}
