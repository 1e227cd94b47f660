#include "FakturaKSeF.h"

#include "FakturaBlad.h"
#include "JpkReader.h"

#include <QStringList>

#include <optional>

namespace ksef {

bool JestFaktura(const JpkDocument& doc) {
    return doc.rootLocalName() == u"Faktura" &&
           (doc.rootNamespaceUri() == NamespaceFA3 || doc.rootNamespaceUri() == NamespaceFA2);
}

namespace {

void czytajNabywce(const JpkElement& podmiot2, const FakturaBlad& b, recFaktura& f) {
    if (const JpkElement* dane = podmiot2.child(u"DaneIdentyfikacyjne")) {
        f.NazwaOdb = b.tekst(*dane, u"Nazwa");
        if (dane->child(u"NIP")) {
            f.KrNip = QStringLiteral("PL");
            f.NipOdb = b.tekst(*dane, u"NIP");
        } else if (dane->child(u"NrVatUE")) {
            f.KrNip = b.tekst(*dane, u"KodUE");
            f.NipOdb = b.tekst(*dane, u"NrVatUE");
        } else if (dane->child(u"NrID")) {
            f.KrNip = b.tekst(*dane, u"KodKraju");
            f.NipOdb = b.tekst(*dane, u"NrID");
        }
        // BrakID: no number, booked as an invoice without P_5B is.
        f.KrNip = f.KrNip.trimmed();
        f.NipOdb = f.NipOdb.trimmed();
    }
    if (const JpkElement* adres = podmiot2.child(u"Adres")) {
        QStringList linie;
        for (QStringView n : {u"AdresL1", u"AdresL2"}) {
            const QString l = b.tekst(*adres, n).trimmed();
            if (!l.isEmpty())
                linie << l;
        }
        f.AdresOdb = linie.join(QStringLiteral(", "));
    }
}

Date dataZ(const FakturaBlad& b, const JpkElement& e, QStringView name, const QString& sciezka) {
    const QString t = b.tekst(e, name);
    const auto d = CzytajDate(t);
    if (!d)
        b.dataW(sciezka, t);
    return *d;
}

// Fa/Platnosc: the due date (the last of several terms: interest is never due early) and
// what was paid by the time of issue.
void czytajPlatnosc(const JpkElement& platnosc, const FakturaBlad& b, recFaktura& f) {
    for (const JpkElement& c : platnosc.children) {
        if (c.namespaceUri != platnosc.namespaceUri)
            continue;
        if (c.localName == u"TerminPlatnosci" && c.child(u"Termin")) {
            // A term given only in words (TerminOpis) leaves the contractor's term to count.
            const Date d =
                dataZ(b, c, u"Termin", QStringLiteral("Platnosc/TerminPlatnosci/Termin"));
            if (f.Termin.isZero() || f.Termin < d)
                f.Termin = d;
        } else if (c.localName == u"ZaplataCzesciowa") {
            const QString t = b.tekst(c, u"KwotaZaplatyCzesciowej");
            const auto k = CzytajKwote(t);
            if (!k || k->isNegative())
                b.kwotaW(QStringLiteral("Platnosc/ZaplataCzesciowa/KwotaZaplatyCzesciowej"), t);
            const Date d = dataZ(b, c, u"DataZaplatyCzesciowej",
                                 QStringLiteral("Platnosc/ZaplataCzesciowa/DataZaplatyCzesciowej"));
            if (!k->isZero())
                f.Zaplaty.push_back({d, *k});
        }
    }
    if (b.tekst(platnosc, u"Zaplacono").trimmed() == u"1" && f.Zaplaty.empty() &&
        f.Kwota > Money()) {
        const Date d = dataZ(b, platnosc, u"DataZaplaty", QStringLiteral("Platnosc/DataZaplaty"));
        f.Zaplaty.push_back({d, f.Kwota});
    }
}

} // namespace

recFaktura CzytajFakture(const JpkDocument& doc, const QString& plik) {
    recFaktura f;
    f.Plik = plik;
    std::optional<JpkElement> podmiot2;
    std::optional<JpkElement> fa;
    JpkCursor cursor(doc);
    while (cursor.next()) {
        const bool own = cursor.namespaceUri() == cursor.rootNamespaceUri();
        if (own && cursor.localName() == u"Podmiot2" && !podmiot2)
            podmiot2 = cursor.read();
        else if (own && cursor.localName() == u"Fa" && !fa)
            fa = cursor.read();
    }
    // The messages name the invoice once its number is known.
    JpkElement pusty;
    FakturaBlad b(fa ? *fa : pusty, plik);
    if (!fa)
        b.brak(QStringLiteral("Fa"));
    const JpkElement* nr = fa->child(u"P_2");
    f.NrFakt = b.tekst(u"P_2").trimmed();
    b.nrFakt = f.NrFakt;
    if (!nr || f.NrFakt.isEmpty())
        b.brak(QStringLiteral("P_2 (numer faktury)"));
    if (!fa->child(u"P_1"))
        b.brak(QStringLiteral("P_1 (data wystawienia)"));
    if (const QString t = b.tekst(u"P_1"); !f.SetXmlData(t))
        b.data(t);
    if (!fa->child(u"P_15"))
        b.brak(QStringLiteral("P_15 (kwota należności ogółem)"));
    if (const QString t = b.tekst(u"P_15"); !f.SetXmlKwota(t))
        b.kwota(t);
    f.Waluta = b.tekst(u"KodWaluty").trimmed();
    f.Rodzaj = b.tekst(u"RodzajFaktury").trimmed();
    QStringList korygowane;
    for (const JpkElement& c : fa->children) {
        if (c.namespaceUri == fa->namespaceUri && c.localName == u"DaneFaKorygowanej") {
            const QString n = b.tekst(c, u"NrFaKorygowanej").trimmed();
            if (!n.isEmpty())
                korygowane << n;
        }
    }
    f.NrKorygowanej = korygowane.join(QStringLiteral(", "));
    f.Korygowane = korygowane;
    if (const JpkElement* platnosc = fa->child(u"Platnosc"))
        czytajPlatnosc(*platnosc, b, f);
    if (podmiot2)
        czytajNabywce(*podmiot2, b, f);
    return f;
}

} // namespace ksef
