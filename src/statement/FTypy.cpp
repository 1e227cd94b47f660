#include "FTypy.h"

#include "StringFun.h"

namespace {
const QString Tag61 = QStringLiteral(":61:");
const QString Tag86 = QStringLiteral(":86:");

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

// Text from the first delim1 at or after index `from` (0-based) up to the next delim2.
QString wycinek(const QString& t, const QString& delim1, const QString& delim2, qsizetype from) {
    return ExtractTextEx(t, delim1, delim2, static_cast<int>(from) + 1);
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
        FList.push_back({sep + tekst.mid(a + sep.size(), 2), static_cast<int>(a) + 1});
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
    const QString tag = TagNr(tagNo);
    for (const auto& e : FList)
        if (e.Tag == tag)
            return e.Poz;
    return 0;
}

QString TTagList::NextTag(const QString& aktTag) const {
    for (size_t i = 0; i < FList.size(); ++i)
        if (FList[i].Tag == aktTag)
            return i + 1 < FList.size() ? FList[i + 1].Tag : QString();
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
    // Keep the closing-balance tag and the mark after it; a second statement in the same
    // file is dropped with the rest.
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
        QString s86;
        if (p86 >= 0)
            // Only the last transaction runs to the closing balance.
            s86 = n61 >= 0 ? t.mid(p86 + Tag86.size(), n61 - p86 - Tag86.size())
                           : wycinek(t, Tag86, SaldoKoncTag(), p86);
        lstPos61.push_back(static_cast<int>(a) + 1);
        lstLinia61.append(s);
        lstlinia86.append(s86);
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
        const QString& l86 = lstlinia86[i];
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

QString TWyciagAbs::LiniaKontoWL() const {
    return OczyscStr(ExtractText(FWyciag, QStringLiteral(":25:"), QStringLiteral(":28C:")));
}

QString TWyciagAbs::WyznKontoWL() const {
    QString s = UsunSpacje(LiniaKontoWL());
    if (s.startsWith(u'/'))
        s.remove(0, 1);
    if (s.size() == 28 && !SaTylkoCyfry(s))
        return s.mid(2);
    return s;
}

QString TWyciagAbs::LiniaSaldoPocz() const {
    return OczyscStr(ExtractText(FWyciag, QStringLiteral(":60F:"), Tag61));
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

Date TWyciagAbs::WyznDataTR(const QString& linia61) const {
    switch (GetRodzajDaty61(linia61)) {
    case TRodzDaty61::dataKrotka:
        return StrNaDate(linia61.left(6));
    case TRodzDaty61::dataDluga:
        // The entry date carries no year: it takes the value date's, even across New Year.
        return StrNaDate(linia61.left(2) + linia61.mid(6, 4));
    case TRodzDaty61::dataInna:
        break;
    }
    return Date::zero();
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

Money TWyciagAbs::WyznKwotaTR(const QString& linia61) const {
    return kwotaPrzySeparatorze(linia61, SepDzies());
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
    return r ? r->DataOperacji.qdate().toString(QStringLiteral("dd-MM-yyyy")) : QString();
}
