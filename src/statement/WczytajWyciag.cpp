#include "WczytajWyciag.h"

#include "FTypy.h"
#include "StringFun.h"
#include "Warianty.h"
#include "procBankowe.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <stdexcept>

namespace {
// Widths of the statement registry's columns: a longer value could not be registered.
constexpr int LiniaSalda_MAX_LEN = 25;
constexpr int KontoWL_MAX_LEN = 34;

const QString Tag62F = QStringLiteral(":62F:");

QString czysty(const QString& s) {
    return UsunSpacje(UsunCRLF(s));
}

QString brakSekcji(const char* tag) {
    return QStringLiteral("Niepoprawna struktura pliku. Brak sekcji: ") + QLatin1String(tag);
}

// The opening line and the owner account are the statement's registration: too long for
// the registry, the statement could be booked but never registered.
void sprawdzRejestracje(const IWyciag& w) {
    const QString linia = w.LiniaSaldoPocz();
    if (linia.isEmpty())
        throw BladWyciagu(brakSekcji(":60F:"));
    if (linia.size() > LiniaSalda_MAX_LEN)
        throw BladWyciagu(
            QString::fromUtf8("Saldo początkowe dłuższe niż %1 znaków w wierszu :60F:%2")
                .arg(LiniaSalda_MAX_LEN)
                .arg(linia));
    if (w.GetKontoWL().size() > KontoWL_MAX_LEN)
        throw BladWyciagu(
            QString::fromUtf8("Rachunek wyciągu dłuższy niż %1 znaki w wierszu :25:%2")
                .arg(KontoWL_MAX_LEN)
                .arg(w.GetKontoWL()));
}
} // namespace

QString PodpowiedzKodowania() {
    return QString::fromUtf8(
        "Plik nie jest zapisany w UTF-8. Wybierz kodowanie Windows-1250 lub CP-852.");
}

std::optional<QString> WyciagOK(const QString& tekst) {
    for (const char* tag : {":60F:", ":61:", ":86:", ":62F:"}) {
        if (!tekst.contains(QLatin1String(tag)))
            return brakSekcji(tag);
    }
    return std::nullopt;
}

QStringList PodzielNaWyciagi(const QString& tekst) {
    QStringList wyciagi;
    qsizetype start = 0;
    for (qsizetype p = tekst.indexOf(Tag62F); p >= 0; p = tekst.indexOf(Tag62F, start)) {
        // A statement ends with the line of its closing balance, or (in a text without line
        // breaks) at the envelope's end "-}" or the next statement's ":20:", whichever is first.
        qsizetype koniec = tekst.size();
        const auto doKonca = [&](qsizetype q, qsizetype dl) {
            if (q >= 0)
                koniec = std::min(koniec, q + dl);
        };
        doKonca(tekst.indexOf(u'\n', p), 1);
        doKonca(tekst.indexOf(QStringLiteral("-}"), p), 2);
        doKonca(tekst.indexOf(QStringLiteral(":20:"), p), 0);
        wyciagi << (start == 0 && koniec == tekst.size() ? tekst
                                                         : tekst.mid(start, koniec - start));
        start = koniec;
    }
    const QStringView reszta = QStringView(tekst).mid(start);
    if (reszta.contains(QStringLiteral(":61:")) || reszta.contains(QStringLiteral(":60F:")))
        throw BladWyciagu(brakSekcji(":62F:"));
    return wyciagi;
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

QString OdmowaBanku(TBank bank) {
    const QString nazwa = bank == bk_Nieznany ? QString() : NazwaBankuIII(bank);
    const QString ktory =
        nazwa.isEmpty() ? QString::fromUtf8("Nie rozpoznano banku rachunku wyciągu (pole :25:)")
                        : QString::fromUtf8("Rachunek wyciągu jest w banku %1").arg(nazwa);
    return QString::fromUtf8("Program obsługuje pliki MT-940 określonych banków.\r"
                             "Wpłaty z tego pliku nie mogą być wczytane.\r") +
           ktory +
           QString::fromUtf8(". Program wczytuje wyciągi banków: ING, Santander/BZWBK, "
                             "Alior.");
}

WynikOtwarcia OtworzWyciag(const QByteArray& bajty, TKodowanie kodowanie,
                           std::optional<TBank> bank) {
    PierwszyOdczyt odczyt = CzytajBajty(bajty);
    if (const auto brak = WyciagOK(odczyt.tekst))
        return WynikOtwarcia::Odmowa(*brak);
    QString tekst = DekodujWyciag(bajty, odczyt, kodowanie);
    odczyt.tekst.clear(); // each copy of a large file's text counts: keep only what is read
    // Malformed UTF-8 decodes to U+FFFD; a file that holds that character itself does not.
    const bool nieUtf8 = kodowanie == TKodowanie::kdUTF_8 && !odczyt.zeZnacznikiem &&
                         tekst.contains(QChar::ReplacementCharacter) &&
                         !bajty.contains("\xEF\xBF\xBD");

    try {
        WynikOtwarcia::Wyciagi wyciagi;
        QStringList czesci = PodzielNaWyciagi(tekst);
        tekst.clear();
        for (QString& czesc : czesci) {
            const TBank wybrany = bank.value_or(WyznBankWyciagu(czesc));
            std::shared_ptr<IWyciag> wyciag;
            if (bank || ObslugiwaneBanki.contains(wybrany))
                wyciag = UtworzWyciag(wybrany);
            if (!wyciag)
                return WynikOtwarcia::Odmowa(OdmowaBanku(wybrany));
            wyciag->SetTekst(czesc);
            czesc.clear();
            wyciag->DzielNaLinie();
            sprawdzRejestracje(*wyciag);
            wyciagi.push_back(std::move(wyciag));
        }
        return WynikOtwarcia::Otwarty(std::move(wyciagi), nieUtf8);
    } catch (const BladWyciagu& e) {
        return WynikOtwarcia::Odmowa(e.komunikat());
    }
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
