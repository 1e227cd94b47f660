#include "recFaktura.h"

#include "FakturaBlad.h"
#include "JpkReader.h"

#include <QLocale>
#include <QRegularExpression>

std::optional<Date> CzytajDate(const QString& text) {
    static const QRegularExpression re(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})$"));
    const auto m = re.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    const QDate d(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    if (!d.isValid())
        return std::nullopt;
    return Date(d);
}

std::optional<Money> CzytajKwote(const QString& text) {
    // The amounts of both file kinds: an optional sign, a full stop, at most two decimals.
    // Fourteen whole digits is what the amount type holds; no real invoice comes near it.
    static const QRegularExpression re(QStringLiteral("^[+-]?\\d{1,14}(\\.\\d{1,2})?$"));
    const QString t = text.trimmed();
    if (!re.match(t).hasMatch())
        return std::nullopt;
    return Money::parse(t.startsWith(u'+') ? t.mid(1) : t);
}

bool recFaktura::SetXmlData(const QString& text) {
    const auto d = CzytajDate(text);
    DataWyst = d.value_or(Date());
    return d.has_value();
}

bool recFaktura::SetXmlKwota(const QString& text) {
    const auto k = CzytajKwote(text);
    Kwota = k.value_or(Money());
    return k.has_value();
}

QString recFaktura::StrData() const {
    return DataWyst.qdate().toString(QStringLiteral("dd-MM-yyyy"));
}

QString recFaktura::StrKwota() const {
    return Kwota.format(QLocale());
}

QString recFaktura::IdFaktury() const {
    QString id = NrFakt + QStringLiteral(" z ") + StrData() + QStringLiteral(" r.");
    if (!NrKorygowanej.isEmpty())
        id += QStringLiteral(" (korekta faktury ") + NrKorygowanej + u')';
    return id;
}

QString recFaktura::KomBrakNip() const {
    return QStringLiteral("[Brak NIP] - ") + IdFaktury();
}

QString recFaktura::KomDuplikat() const {
    return QStringLiteral("[Zaksięgowano wcześniej] - ") + IdFaktury();
}

QString recFaktura::KomWprowadz() const {
    return QStringLiteral("[Zaksięgowano] - ") + IdFaktury();
}

bool recFaktura::WInnejWalucie() const {
    return !Waluta.isEmpty() && Waluta.trimmed().toUpper() != u"PLN";
}

QString recFaktura::KomWaluta() const {
    return QStringLiteral("[Pominięto: faktura w walucie ") + Waluta.trimmed() +
           QStringLiteral("] - ") + IdFaktury();
}

recFaktura recFaktura::fromElement(const JpkElement& faktura, const QString& plik) {
    recFaktura f;
    f.Plik = plik;
    FakturaBlad blad(faktura, plik);
    f.NrFakt = blad.tekst(u"P_2A");
    blad.nrFakt = f.NrFakt;
    const QString data = blad.tekst(u"P_1");
    f.NazwaOdb = blad.tekst(u"P_3A");
    f.AdresOdb = blad.tekst(u"P_3B");
    f.KrNip = blad.tekst(u"P_5A");
    f.NipOdb = blad.tekst(u"P_5B");
    const QString kwota = blad.tekst(u"P_15");
    f.Waluta = blad.tekst(u"KodWaluty").trimmed();
    f.Rodzaj = blad.tekst(u"RodzajFaktury").trimmed();
    // A correction names the invoice it corrects (JPK_FA(3) and (4)).
    if (const QString nr = blad.tekst(u"NrFaKorygowanej").trimmed(); !nr.isEmpty()) {
        f.Korygowane << nr;
        f.NrKorygowanej = nr;
    }
    if (!f.SetXmlData(data))
        blad.data(data);
    if (!f.SetXmlKwota(kwota))
        blad.kwota(kwota);
    return f;
}

void CzytajFaktury(const JpkDocument& doc, const std::function<void(const recFaktura&)>& sink,
                   const QString& plik) {
    const QString odmowa = JpkOdmowa(doc.KodFormularza());
    if (!odmowa.isEmpty())
        throw JpkRefused(odmowa);
    JpkCursor cursor(doc);
    while (cursor.next()) {
        if (cursor.localName() == u"Faktura")
            sink(recFaktura::fromElement(cursor.read(), plik));
    }
}
