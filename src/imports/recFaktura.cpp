#include "recFaktura.h"

#include "JpkReader.h"
#include "StringFun.h"

#include <QLocale>

void recFaktura::SetXmlData(const QString& text) {
    DataWyst = fakt_strDataToDate(text);
}

void recFaktura::SetXmlKwota(const QString& text) {
    Kwota = StrNaCurr(text, u'.');
}

QString recFaktura::StrData() const {
    return DataWyst.qdate().toString(QStringLiteral("dd-MM-yyyy"));
}

QString recFaktura::StrKwota() const {
    return Kwota.format(QLocale());
}

QString recFaktura::IdFaktury() const {
    return NrFakt + QStringLiteral(" z ") + StrData() + QStringLiteral(" r.");
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

recFaktura recFaktura::fromElement(const JpkElement& faktura) {
    recFaktura f;
    f.SetXmlData(faktura.childText(u"P_1"));
    f.NrFakt = faktura.childText(u"P_2A");
    f.NazwaOdb = faktura.childText(u"P_3A");
    f.AdresOdb = faktura.childText(u"P_3B");
    f.KrNip = faktura.childText(u"P_5A");
    f.NipOdb = faktura.childText(u"P_5B");
    f.SetXmlKwota(faktura.childText(u"P_15"));
    return f;
}

void CzytajFaktury(const JpkDocument& doc, const std::function<void(const recFaktura&)>& sink) {
    const QString odmowa = JpkOdmowa(doc.KodFormularza());
    if (!odmowa.isEmpty())
        throw JpkRefused(odmowa);
    JpkCursor cursor(doc);
    while (cursor.next()) {
        if (cursor.localName() == u"Faktura")
            sink(recFaktura::fromElement(cursor.read()));
    }
}
