#include "Commands.h"

#include "Konfig.h"
#include "uWhiteListFrm.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSslCertificate>

#include <stdexcept>

namespace cli {

void ustawBialaListe(Args& args, TWhiteListFrm& wl) {
    const QString url = args.option(QStringLiteral("url"));
    wl.setAdres(url.isEmpty() ? BialaListaAdres() : url);
    const QString ca = args.option(QStringLiteral("ca"));
    if (!ca.isEmpty()) {
        QFile f(ca);
        if (!f.open(QIODevice::ReadOnly))
            throw std::runtime_error("Nie udało się otworzyć pliku certyfikatu: " +
                                     ca.toStdString());
        const QList<QSslCertificate> certs = QSslCertificate::fromData(f.readAll());
        if (certs.isEmpty())
            throw std::runtime_error("Plik nie zawiera certyfikatu PEM: " + ca.toStdString());
        wl.klient().dodajZaufaneCA(certs);
    }
}

// The bank accounts the VAT white list holds for one tax number.
int whitelist(Args args) {
    const bool json = args.flag(QStringLiteral("json"));
    const QString date = args.option(QStringLiteral("date"));
    TWhiteListFrm wl;
    ustawBialaListe(args, wl);
    const QStringList pos = args.positional();
    if (pos.size() != 1)
        throw UsageError("expected one VAT number");
    if (!date.isEmpty()) {
        const QDate d = QDate::fromString(date, QStringLiteral("yyyy-MM-dd"));
        if (!d.isValid())
            throw UsageError("--date must be YYYY-MM-DD");
        wl.setDzien(d);
    }
    wl.PobierzNumeryKont(pos[0]);
    if (wl.DownloadError)
        throw std::runtime_error(
            (QStringLiteral("Wystąpił błąd podczas pobierania: ") + wl.PowodBledu()).toStdString());
    if (json)
        out(QString::fromUtf8(QJsonDocument(QJsonObject{{QStringLiteral("accounts"),
                                                         QJsonArray::fromStringList(wl.Konta)}})
                                  .toJson(QJsonDocument::Compact)));
    else
        for (const QString& k : wl.Konta)
            out(k);
    if (wl.Konta.isEmpty())
        err(QStringLiteral(
            "Nie znaleziono żadnego numeru rachunku bankowego\rdla podanego kontrahenta."));
    return ExitOk;
}

} // namespace cli
