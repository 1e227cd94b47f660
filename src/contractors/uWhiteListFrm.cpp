#include "uWhiteListFrm.h"

#include "StringFun.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

namespace {

QString zakodowanyNip(const QString& nip) {
    return QString::fromLatin1(QUrl::toPercentEncoding(nip));
}

} // namespace

TWhiteListFrm::TWhiteListFrm(const QString& adres) {
    setAdres(adres);
}

void TWhiteListFrm::setAdres(const QString& adres) {
    adres_ = AdresUslugi(adres, DomyslnyAdres);
}

QString TWhiteListFrm::queryDate() const {
    const QDate d = dzien_.isValid() ? dzien_ : QDate::currentDate();
    return QStringLiteral("?date=") + d.toString(QStringLiteral("yyyy-MM-dd"));
}

QString TWhiteListFrm::GetByNipStr(const QString& Nip) const {
    return adres_ + QStringLiteral("/api/search/nip/") + zakodowanyNip(Nip) + queryDate();
}

QString TWhiteListFrm::GetByNipsStr(const QStringList& nipy) const {
    QStringList encoded;
    for (const QString& n : nipy)
        encoded << zakodowanyNip(n);
    return adres_ + QStringLiteral("/api/search/nips/") + encoded.join(u',') + queryDate();
}

QString TWhiteListFrm::PowodBledu() const {
    QString powod = OpisBledu;
    if (!KodBledu.isEmpty() || !KomunikatBledu.isEmpty())
        powod += QStringLiteral(" ") + KodBledu +
                 (KomunikatBledu.isEmpty() ? QString() : QStringLiteral(": ") + KomunikatBledu);
    return powod.trimmed();
}

void TWhiteListFrm::zapiszBlad(const OdpowiedzHttps& odp) {
    Wynik = odp.wynik;
    StatusHttp = odp.status;
    OpisBledu = odp.blad;
    KodBledu.clear();
    KomunikatBledu.clear();
    if (odp.wynik == OdpowiedzHttps::Wynik::StatusHttp) {
        const QJsonObject o = QJsonDocument::fromJson(odp.body).object();
        KodBledu = o.value(QStringLiteral("code")).toString();
        KomunikatBledu = o.value(QStringLiteral("message")).toString();
    }
}

QString TWhiteListFrm::WyslijZapytanie(const QString& url) {
    const NaglowkiHttp naglowki = {
        {"Content-Type", "application/json; charset=utf-8"},
        {"Accept", "application/json"},
        {"Accept-Charset", "UTF-8"},
        {"Accept-Encoding", "Mtom"},
        {"User-Agent", "Mozilla/3.0 (compatible; Indy Library)"},
    };
    // The address is already encoded: the number's escapes must reach the server as they are.
    const OdpowiedzHttps odp =
        klient_.get(QUrl::fromEncoded(url.toUtf8(), QUrl::StrictMode), naglowki);
    zapiszBlad(odp);
    if (!odp.ok()) {
        DownloadError = true;
        return {};
    }
    DownloadError = false;
    return QString::fromUtf8(odp.body);
}

void TWhiteListFrm::PobierzNumeryKont(const QString& Nip) {
    DownloadError = false;
    ServerResponse = WyslijZapytanie(GetByNipStr(Nip));
    if (!ServerResponse.isEmpty()) {
        WczytajDane(ServerResponse);
    } else {
        Konta.clear();
        WhiteListSubject = {};
    }
}

void TWhiteListFrm::WczytajDane(const QString& text) {
    // A plain text extraction, not a JSON parse: what the callers have always relied on.
    const QString sep = QStringLiteral("\",\"");
    recWhiteListSubject s;
    s.Name = ExtractText(text, QStringLiteral("\"name\":\""), sep);
    s.Name.replace(QStringLiteral("\\\""), QStringLiteral("\""));
    s.Nip = ExtractText(text, QStringLiteral("\"nip\":\""), sep);
    s.StatusVat = ExtractText(text, QStringLiteral("\"statusVat\":\""), sep);
    s.Regon = ExtractText(text, QStringLiteral("\"regon\":\""), sep);
    s.Krs = ExtractText(text, QStringLiteral("\"krs\":\""), sep);
    s.residenceAddress = ExtractText(text, QStringLiteral("\"residenceAddress\":\""), sep);
    s.workingAddress = ExtractText(text, QStringLiteral("\"workingAddress\":\""), sep);
    s.accountNumbers =
        ExtractText(text, QStringLiteral("\"accountNumbers\":[\""), QStringLiteral("\"]"));
    WhiteListSubject = s;
    Konta.clear();
    if (!s.accountNumbers.isEmpty()) {
        QString lista = s.accountNumbers;
        lista.replace(sep, QStringLiteral(" "));
        Konta = lista.split(u' ', Qt::SkipEmptyParts);
    }
}

TWhiteListFrm::WynikWielu TWhiteListFrm::PobierzNumeryKontWielu(const QStringList& nipy) {
    WynikWielu w;
    DownloadError = false;
    ServerResponse = WyslijZapytanie(GetByNipsStr(nipy));
    if (DownloadError) {
        w.limit = StatusHttp == 429;
        return w;
    }
    const QJsonObject result =
        QJsonDocument::fromJson(ServerResponse.toUtf8()).object().value(u"result").toObject();
    const auto kontaPodmiotow = [](const QJsonArray& subjects) {
        QStringList konta;
        for (const QJsonValue& subject : subjects)
            for (const QJsonValue& k : subject.toObject().value(u"accountNumbers").toArray())
                if (k.isString() && !konta.contains(k.toString()))
                    konta << k.toString();
        return konta;
    };
    // Each entry names the number it answers; an entry with an error holds no subjects.
    for (const QJsonValue& e : result.value(u"entries").toArray()) {
        const QJsonObject entry = e.toObject();
        const QString nip = entry.value(u"identifier").toString();
        if (nipy.contains(nip))
            w.konta[nip] += kontaPodmiotow(entry.value(u"subjects").toArray());
    }
    // An answer that lists the subjects directly names them by their own number.
    for (const QJsonValue& subject : result.value(u"subjects").toArray()) {
        const QString nip = subject.toObject().value(u"nip").toString();
        if (nipy.contains(nip))
            w.konta[nip] += kontaPodmiotow(QJsonArray{subject});
    }
    w.ok = true;
    return w;
}
