#include "WczytajWyciag.h"

#include "StringFun.h"
#include "Warianty.h"
#include "procBankowe.h"

#include <QFile>
#include <QFileInfo>

#include <stdexcept>

namespace {
QString czysty(const QString& s) {
    return UsunSpacje(UsunCRLF(s));
}
} // namespace

std::optional<QString> WyciagOK(const QString& tekst) {
    for (const char* tag : {":60F:", ":61:", ":86:", ":62F:"}) {
        if (!tekst.contains(QLatin1String(tag)))
            return QStringLiteral("Niepoprawna struktura pliku. Brak sekcji: ") +
                   QLatin1String(tag);
    }
    return std::nullopt;
}

QString WyznKontoWL(const QString& tekst) {
    const QString tag25 = QStringLiteral(":25:");
    if (!tekst.contains(tag25))
        return {};
    QString s;
    if (tekst.contains(QStringLiteral(":28C:")))
        s = czysty(ExtractText(tekst, tag25, QStringLiteral(":28C:")));
    if (s.isEmpty() && tekst.contains(QStringLiteral(":28:")))
        s = czysty(ExtractText(tekst, tag25, QStringLiteral(":28:")));
    if (s.isEmpty())
        return s;
    if (s.startsWith(u'/'))
        s.remove(0, 1);
    if (s.size() == 28 && !SaTylkoCyfry(s))
        s = s.mid(2);
    return s;
}

TBank WyznBankWyciagu(const QString& tekst) {
    TKonto konto;
    konto.SetNumer(WyznKontoWL(tekst));
    return WyznBankXXX(konto.WyroznikIII());
}

WynikOtwarcia OtworzWyciag(const QByteArray& bajty, TKodowanie kodowanie,
                           std::optional<TBank> bank) {
    const PierwszyOdczyt odczyt = CzytajBajty(bajty);
    if (const auto brak = WyciagOK(odczyt.tekst))
        return WynikOtwarcia::Odmowa(*brak);
    const QString tekst = DekodujWyciag(bajty, odczyt, kodowanie);

    const TBank wybrany = bank.value_or(WyznBankWyciagu(tekst));
    std::shared_ptr<IWyciag> wyciag;
    if (bank || ObslugiwaneBanki.contains(wybrany))
        wyciag = UtworzWyciag(wybrany);
    if (!wyciag)
        return WynikOtwarcia::Odmowa(
            QString::fromUtf8("Program obsługuje pliki MT-940 określonych banków.\r"
                              "Wpłaty z tego pliku nie mogą być wczytane."));
    wyciag->SetTekst(tekst);
    wyciag->DzielNaLinie();
    return WynikOtwarcia::Otwarty(std::move(wyciag));
}

WynikOtwarcia OtworzPlikWyciagu(const QString& nazwaPliku, TKodowanie kodowanie,
                                std::optional<TBank> bank) {
    const QString nazwa = nazwaPliku.trimmed();
    if (nazwa.isEmpty())
        return WynikOtwarcia::Odmowa(
            QString::fromUtf8("Nazwa pliku wyciągu bankowego nie podana."));
    if (!QFileInfo(nazwa).isFile())
        return WynikOtwarcia::Odmowa(QStringLiteral("Plik: ") + nazwa +
                                     QStringLiteral(" - nie istnieje."));
    QFile plik(nazwa);
    if (!plik.open(QIODevice::ReadOnly))
        throw std::runtime_error(QString::fromUtf8("Nie można otworzyć pliku %1: %2")
                                     .arg(nazwa, plik.errorString())
                                     .toStdString());
    return OtworzWyciag(plik.readAll(), kodowanie, bank);
}
