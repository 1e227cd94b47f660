#include "WczytajWyciag.h"

#include "FTypy.h"
#include "Pole86.h"
#include "StringFun.h"
#include "Warianty.h"
#include "procBankowe.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>
#include <stdexcept>

namespace {
// Widths of the statement registry's columns: a longer value could not be registered.
constexpr int LiniaSalda_MAX_LEN = 25;
constexpr int KontoWL_MAX_LEN = 34;

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

namespace {
std::optional<QString> brakujacyTag(const std::vector<PoleMT>& pola) {
    bool jest60 = false, jest61 = false, jest86 = false, jest62 = false;
    for (const PoleMT& p : pola) {
        jest60 = jest60 || p.tag == TagMT::T60F;
        jest61 = jest61 || p.tag == TagMT::T61;
        jest86 = jest86 || p.tag == TagMT::T86;
        jest62 = jest62 || p.tag == TagMT::T62F;
    }
    if (!jest60)
        return brakSekcji(":60F:");
    if (!jest61)
        return brakSekcji(":61:");
    if (!jest86)
        return brakSekcji(":86:");
    if (!jest62)
        return brakSekcji(":62F:");
    return std::nullopt;
}

QString kontoWL(const QString& tekst, const std::vector<PoleMT>& pola) {
    QString s;
    for (const PoleMT& p : pola)
        if (p.tag == TagMT::T25) {
            s = czysty(p.w(tekst).toString());
            break;
        }
    if (s.startsWith(u'/'))
        s.remove(0, 1);
    if (s.size() == 28 && !SaTylkoCyfry(s))
        s = s.mid(2);
    return s;
}

TBank bankKonta(const QString& konto) {
    TKonto k;
    k.SetNumer(konto);
    return WyznBankXXX(k.WyroznikIII());
}

// How many fields are enough to tell the shape of field 86.
constexpr size_t PolDoRozpoznania = 200;

// The dialect of the owner's bank, unless its field 86 plainly follows another shape (a
// bank that changed its export); for a bank without a dialect, the shape most of its
// fields follow. Null when nothing fits.
const Dialekt* wybierzDialekt(const TWyciagAbs& w, const Dialekt* bankowy) {
    const std::vector<QStringView> pola = w.Pola86(PolDoRozpoznania);
    const auto pasuje = [&](const Dialekt& d) {
        int n = 0;
        for (QStringView p : pola)
            n += PasujeDoKsztaltu(p, d) ? 1 : 0;
        return n;
    };
    if (bankowy) {
        for (QStringView p : pola)
            if (PasujeDoKsztaltu(p, *bankowy))
                return bankowy;
    }
    const Dialekt* najlepszy = nullptr;
    int ile = 0;
    for (const Dialekt* d : dialekty::Ogolne()) {
        const int n = pasuje(*d);
        if (n > ile) {
            ile = n;
            najlepszy = d;
        }
    }
    return najlepszy ? najlepszy : bankowy;
}

QString kwota(Money m) {
    return m.format(QLocale());
}

QString nazwaWyciagu(const TWyciagAbs& w) {
    return QString::fromUtf8("Wyciąg nr %1 rachunku %2").arg(w.GetNrWyciagu(), w.GetKontoWL());
}

const QString NicNieWczytano =
    QString::fromUtf8("\rŻadna wpłata z tego pliku nie została wczytana.");
} // namespace

QString PodpowiedzKodowania() {
    return QString::fromUtf8(
        "Plik nie jest zapisany w UTF-8. Wybierz kodowanie Windows-1250 lub CP-852.");
}

QString WynikOtwarcia::opisKodowania() const {
    if (utf16_)
        return QStringLiteral("UTF-16 (znacznik BOM)");
    return NazwaKodowania(kodowanie_) + (wykryte_ ? QString::fromUtf8(" (wykryte)") : QString());
}

std::optional<QString> WyciagOK(const QString& tekst) {
    return brakujacyTag(CzytajPola(tekst));
}

std::vector<std::vector<PoleMT>> PodzielNaWyciagi(const std::vector<PoleMT>& pola) {
    std::vector<std::vector<PoleMT>> wyciagi;
    size_t start = 0;
    size_t i = 0;
    while (i < pola.size()) {
        if (pola[i].tag != TagMT::T62F) {
            ++i;
            continue;
        }
        wyciagi.emplace_back(pola.begin() + static_cast<std::ptrdiff_t>(start),
                             pola.begin() + static_cast<std::ptrdiff_t>(i + 1));
        // What follows a closing balance up to the next statement belongs to no statement.
        ++i;
        while (i < pola.size() && (pola[i].tag == TagMT::T64 || pola[i].tag == TagMT::T65 ||
                                   pola[i].tag == TagMT::T86 || pola[i].tag == TagMT::Inny))
            ++i;
        start = i;
    }
    for (size_t k = start; k < pola.size(); ++k) {
        const TagMT t = pola[k].tag;
        if (t == TagMT::T61 || t == TagMT::T60F || t == TagMT::T60M || t == TagMT::T62M)
            throw BladWyciagu(brakSekcji(":62F:"));
    }
    return wyciagi;
}

QString WyznKontoWL(const QString& tekst) {
    return kontoWL(tekst, CzytajPola(tekst));
}

TBank WyznBankWyciagu(const QString& tekst) {
    return bankKonta(WyznKontoWL(tekst));
}

QString OdmowaBanku(TBank bank) {
    const QString nazwa = bank == bk_Nieznany ? QString() : NazwaBankuIII(bank);
    const QString ktory =
        nazwa.isEmpty() ? QString::fromUtf8("Nie rozpoznano banku rachunku wyciągu (pole :25:)")
                        : QString::fromUtf8("Rachunek wyciągu jest w banku %1").arg(nazwa);
    return QString::fromUtf8("Program obsługuje pliki MT-940 określonych banków.\r"
                             "Wpłaty z tego pliku nie mogą być wczytane.\r") +
           ktory +
           QString::fromUtf8(", a pole :86: wyciągu nie ma żadnego ze znanych układów. Program "
                             "wczytuje wyciągi banków: PKO BP, mBank, Pekao, BNP Paribas, "
                             "Millennium, Nest Bank, ING, Santander/Erste, Alior/BPH, a innych "
                             "banków, gdy ich pole :86: ma podpola ~, ^, < lub > albo słowa "
                             "kluczowe (TYT.:, OD:, Z RACH.:).");
}

void SprawdzBilans(const TWyciagAbs& w) {
    const auto& strony = w.Strony();
    if (strony.empty())
        throw BladWyciagu(brakSekcji(":60F:"));
    int wStronach = 0;
    for (const auto& s : strony)
        wStronach += s.ile;
    if (wStronach != w.MaxIndex() + 1)
        throw BladWyciagu(nazwaWyciagu(w) +
                          QString::fromUtf8(": transakcja :61: przed saldem początkowym :60F:.") +
                          NicNieWczytano);
    const auto saldo = [&](int pole) {
        return CzytajSaldo(w.WartoscPola(pole), NazwaTagu(w.Pole(pole).tag));
    };
    const Saldo otwarcie = saldo(strony.front().otwarcie);
    const QString& waluta = otwarcie.waluta;
    const QChar kodWaluty = waluta[2];
    const auto zgodnaWaluta = [&](const Saldo& s, int pole) {
        if (s.waluta != waluta)
            throw BladWyciagu(nazwaWyciagu(w) +
                              QString::fromUtf8(": waluta salda %1 (%2) nie zgadza się z walutą "
                                                "salda początkowego :60F: (%3).")
                                  .arg(NazwaTagu(w.Pole(pole).tag), s.waluta, waluta) +
                              NicNieWczytano);
    };
    Money uznania;
    Money obciazenia;
    for (const auto& s : strony) {
        const Saldo pocz = saldo(s.otwarcie);
        zgodnaWaluta(pocz, s.otwarcie);
        Money plus;
        Money minus;
        for (int i = s.pierwsza; i < s.pierwsza + s.ile; ++i) {
            const recPrzelew& t = w.Transakcje()[static_cast<size_t>(i)];
            if (!t.KodSrodkow.isNull() && t.KodSrodkow != kodWaluty)
                throw BladWyciagu(
                    nazwaWyciagu(w) +
                    QString::fromUtf8(": kod waluty %1 w wierszu :61:%2 nie zgadza się z walutą "
                                      "wyciągu (%3).")
                        .arg(t.KodSrodkow)
                        .arg(w.Linia61(i), waluta) +
                    NicNieWczytano);
            const bool wplyw = t.Znak == ZnakTR::C || t.Znak == ZnakTR::RD;
            (wplyw ? plus : minus) += t.KwotaOperacji;
        }
        if (s.zamkniecie < 0)
            throw BladWyciagu(brakSekcji(":62F:"));
        const Saldo konc = saldo(s.zamkniecie);
        zgodnaWaluta(konc, s.zamkniecie);
        const auto bilans = [&](const Saldo& p, Money c, Money d, const Saldo& k, int pole) {
            const Money wyliczone = p.kwota + c - d;
            if (wyliczone != k.kwota)
                throw BladWyciagu(
                    nazwaWyciagu(w) +
                    QString::fromUtf8(" nie bilansuje się: saldo początkowe %1 + uznania %2 "
                                      "− obciążenia %3 = %4 %5, a saldo %6 wynosi %7 %5.")
                        .arg(kwota(p.kwota), kwota(c), kwota(d), kwota(wyliczone), waluta,
                             NazwaTagu(w.Pole(pole).tag), kwota(k.kwota)) +
                    NicNieWczytano);
        };
        bilans(pocz, plus, minus, konc, s.zamkniecie);
        uznania += plus;
        obciazenia += minus;
    }
    // The pages each add up; so must the whole, from the first opening to the closing one.
    if (w.PoleSaldaKonc() < 0)
        throw BladWyciagu(brakSekcji(":62F:"));
    const Saldo koniec = saldo(w.PoleSaldaKonc());
    const Money wyliczone = otwarcie.kwota + uznania - obciazenia;
    if (wyliczone != koniec.kwota)
        throw BladWyciagu(nazwaWyciagu(w) +
                          QString::fromUtf8(" nie bilansuje się: saldo początkowe %1 + uznania %2 "
                                            "− obciążenia %3 = %4 %5, a saldo :62F: wynosi %6 %5.")
                              .arg(kwota(otwarcie.kwota), kwota(uznania), kwota(obciazenia),
                                   kwota(wyliczone), waluta, kwota(koniec.kwota)) +
                          NicNieWczytano);
}

WynikOtwarcia OtworzWyciag(const QByteArray& bajty, TKodowanie kodowanie,
                           std::optional<TBank> bank) {
    TKodowanie uzyte = kodowanie;
    const bool wykryj = kodowanie == TKodowanie::kdWykryj;
    if (wykryj) {
        const auto k = WykryjKodowanie(bajty);
        if (!k) {
            // A file that is no statement at all is told so first.
            if (const auto brak = brakujacyTag(CzytajPola(CzytajBajty(bajty).tekst)))
                return WynikOtwarcia::Odmowa(*brak);
            return WynikOtwarcia::Odmowa(BrakKodowania());
        }
        uzyte = *k;
    }
    const PierwszyOdczyt odczyt = bajty.startsWith("\xEF\xBB\xBF") ||
                                          bajty.startsWith("\xFF\xFE") ||
                                          bajty.startsWith("\xFE\xFF")
                                      ? CzytajBajty(bajty)
                                      : PierwszyOdczyt{};
    const QString tekst = DekodujWyciag(bajty, odczyt, uzyte);
    // Malformed UTF-8 decodes to U+FFFD; a file that holds that character itself does not.
    const bool nieUtf8 = !wykryj && uzyte == TKodowanie::kdUTF_8 && !odczyt.zeZnacznikiem &&
                         tekst.contains(QChar::ReplacementCharacter) &&
                         !bajty.contains("\xEF\xBF\xBD");
    try {
        const std::vector<PoleMT> pola = CzytajPola(tekst);
        if (const auto brak = brakujacyTag(pola))
            return WynikOtwarcia::Odmowa(*brak);
        WynikOtwarcia::Wyciagi wyciagi;
        for (auto& czesc : PodzielNaWyciagi(pola)) {
            const TBank bankWl = bankKonta(kontoWL(tekst, czesc));
            const TBank wybrany = bank.value_or(bankWl);
            std::shared_ptr<TWyciagAbs> wyciag;
            if (bank) {
                wyciag = UtworzWyciag(wybrany);
                if (!wyciag)
                    return WynikOtwarcia::Odmowa(OdmowaBanku(wybrany));
                wyciag->UstawPola(tekst, std::move(czesc));
            } else {
                const Dialekt* bankowy = DialektBanku(wybrany);
                wyciag = UtworzWyciag(bankowy ? *bankowy : *dialekty::Ogolne().front());
                wyciag->UstawPola(tekst, std::move(czesc));
                const Dialekt* d = wybierzDialekt(*wyciag, bankowy);
                if (!d)
                    return WynikOtwarcia::Odmowa(OdmowaBanku(wybrany));
                wyciag->UstawDialekt(*d);
                wyciag->UstawBank(bankWl);
            }
            wyciag->DzielNaLinie();
            sprawdzRejestracje(*wyciag);
            SprawdzBilans(*wyciag);
            wyciagi.push_back(std::move(wyciag));
        }
        const bool utf16 = odczyt.zeZnacznikiem && !bajty.startsWith("\xEF\xBB\xBF");
        return std::move(
            WynikOtwarcia::Otwarty(std::move(wyciagi), nieUtf8).zKodowaniem(uzyte, wykryj, utf16));
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
