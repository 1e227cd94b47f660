#include "CzytajWydruki.h"
#include "DaneFirmy.h"
#include "Dokumenty.h"
#include "Kontrahenci.h"
#include "KursyEur.h"
#include "StawkiOdsetek.h"
#include "Swieta.h"
#include "TestDatabase.h"

#include <gtest/gtest.h>

namespace {

QDate d(const char* iso) {
    return QDate::fromString(QString::fromLatin1(iso), Qt::ISODate);
}

Money m(const char* s) {
    return *Money::parse(QString::fromLatin1(s));
}

// A second workstation: its own attachment to the same database.
class DrugaStacja {
public:
    explicit DrugaStacja(const QString& path) {
        db::ConnectionParams p;
        p.database = path;
        p.forceEmbedded = true;
        att.open(p);
    }
    db::Attachment att;
};

} // namespace

using Tabele = DbTest;

TEST_F(Tabele, NewDatabaseShipsTheRateHistory) {
    const odsetki::Tabele t = stawki::czytajTabele(data->conn);
    ASSERT_EQ(t.handlowe.size(), 22u);
    ASSERT_EQ(t.ustawowe.size(), 24u);
    EXPECT_EQ(t.handlowe.front(), (odsetki::Stawka{d("2016-01-01"), 950, std::nullopt, false}));
    EXPECT_EQ(t.handlowe[13], (odsetki::Stawka{d("2022-07-01"), 1600, 1400, false}));
    EXPECT_EQ(t.handlowe.back(), (odsetki::Stawka{d("2026-07-01"), 1375, 1175, true}));
    EXPECT_EQ(t.ustawowe.front(), (odsetki::Stawka{d("2016-01-01"), 700, std::nullopt, false}));
    EXPECT_EQ(t.ustawowe[5], (odsetki::Stawka{d("2021-11-04"), 675, std::nullopt, true}));
    EXPECT_EQ(t.ustawowe.back(), (odsetki::Stawka{d("2026-03-05"), 925, std::nullopt, false}));
    // Every commercial row begins a half-year, one after another with no gap.
    for (std::size_t i = 0; i < t.handlowe.size(); ++i) {
        EXPECT_TRUE(odsetki::poczatekPolrocza(t.handlowe[i].od));
        if (i > 0) {
            EXPECT_EQ(t.handlowe[i - 1].od.addMonths(6), t.handlowe[i].od);
        }
    }
    // The shipped table counts the hand-worked example: 135.96 zł.
    EXPECT_EQ(odsetki::nalicz(m("10000.00"), d("2022-06-15"), d("2022-07-20"), t,
                              odsetki::Dluznik::Przedsiebiorca)
                  .odsetki.zaokraglona(),
              m("135.96"));
}

TEST_F(Tabele, AddingARateIsCheckedAndRefusedTwice) {
    using odsetki::Rodzaj;
    struct Case {
        Rodzaj rodzaj;
        odsetki::Stawka s;
        const char* uwaga; // part of the warning; empty: saved
    } cases[] = {
        {Rodzaj::Handlowe, {d("2027-02-01"), 1300, 1100, false}, "1 stycznia albo 1 lipca"},
        {Rodzaj::Ustawowe, {d("2026-05-07"), 900, 700, false}, "tylko odsetek w transakcjach"},
        {Rodzaj::Handlowe, {d("2027-01-01"), 0, std::nullopt, false}, "większą od zera"},
        {Rodzaj::Handlowe, {d("2026-07-01"), 1300, 1100, false}, "jest już w tabeli"},
        {Rodzaj::Handlowe, {d("2027-01-01"), 1300, 1100, false}, ""},
        {Rodzaj::Ustawowe, {d("2026-05-07"), 900, std::nullopt, false}, ""},
        {Rodzaj::Ustawowe, {d("2026-05-07"), 875, std::nullopt, false}, "07.05.2026 jest już"},
    };
    for (const Case& c : cases) {
        const QString u = stawki::dopiszStawke(data->conn, c.rodzaj, c.s);
        if (QString::fromUtf8(c.uwaga).isEmpty())
            EXPECT_TRUE(u.isEmpty()) << u.toStdString();
        else
            EXPECT_TRUE(u.contains(QString::fromUtf8(c.uwaga))) << u.toStdString();
    }
    const odsetki::Tabele t = stawki::czytajTabele(data->conn);
    EXPECT_EQ(t.handlowe.back(), (odsetki::Stawka{d("2027-01-01"), 1300, 1100, false}));
    EXPECT_EQ(t.ustawowe.back(), (odsetki::Stawka{d("2026-05-07"), 900, std::nullopt, false}));
    EXPECT_EQ(stawki::domyslnaStawkaZoz(d("2027-01-01"), 1300), 1100);
    EXPECT_EQ(stawki::domyslnaStawkaZoz(d("2019-07-01"), 950), std::nullopt);
}

TEST_F(Tabele, CorrectingOrDeletingARateAnotherWorkstationChangedIsRefused) {
    const odsetki::Stawka wczytana{d("2026-07-01"), 1375, 1175, true};
    DrugaStacja druga(database->path());
    // The other workstation confirms the unverified rate first.
    EXPECT_EQ(stawki::poprawStawke(druga.att, odsetki::Rodzaj::Handlowe, wczytana,
                                   {d("2026-07-01"), 1375, 1175, false}),
              QString());
    const QString u = stawki::poprawStawke(data->conn, odsetki::Rodzaj::Handlowe, wczytana,
                                           {d("2026-07-01"), 1400, 1200, false});
    EXPECT_TRUE(u.contains("inny użytkownik")) << u.toStdString();
    EXPECT_TRUE(stawki::usunStawke(data->conn, odsetki::Rodzaj::Handlowe, wczytana)
                    .contains("inny użytkownik"));
    EXPECT_EQ(stawki::czytajTabele(data->conn).handlowe.back(),
              (odsetki::Stawka{d("2026-07-01"), 1375, 1175, false}));
    // Read afresh, the same change goes through; moving it onto a taken day does not.
    const odsetki::Stawka aktualna{d("2026-07-01"), 1375, 1175, false};
    EXPECT_TRUE(stawki::poprawStawke(data->conn, odsetki::Rodzaj::Handlowe, aktualna,
                                     {d("2026-01-01"), 1375, 1175, false})
                    .contains("jest już w tabeli"));
    EXPECT_EQ(stawki::usunStawke(data->conn, odsetki::Rodzaj::Handlowe, aktualna), QString());
    EXPECT_EQ(stawki::czytajTabele(data->conn).handlowe.size(), 21u);
}

TEST_F(Tabele, CompanyDetailsAreCheckedNormalisedAndReadByEveryone) {
    EXPECT_EQ(firma::czytajDaneFirmy(data->conn), firma::DaneFirmy{});
    firma::DaneFirmy f;
    f.nazwa = QStringLiteral("  Hurtownia Łąka Sp. z o.o. ");
    f.adres = QStringLiteral("ul. Świętokrzyska 12");
    f.kodMiejscowosc = QStringLiteral("00-916 Warszawa");
    f.nip = QStringLiteral("526-025-02-74");
    f.konto = QStringLiteral("PL61 1090 1014 0000 0712 1981 2874");
    f.miejsceWystawienia = QStringLiteral("Warszawa");
    f.podpis = QStringLiteral("Anna Nowak – główna księgowa");

    struct Zle {
        void (*zepsuj)(firma::DaneFirmy&);
        const char* uwaga;
    } zle[] = {
        {[](firma::DaneFirmy& x) { x.nazwa = QStringLiteral("   "); }, "Podaj nazwę firmy."},
        {[](firma::DaneFirmy& x) { x.nip = QStringLiteral("5260250275"); },
         "Błędny numer identyfikacyjny VAT."},
        {[](firma::DaneFirmy& x) { x.konto = QStringLiteral("61109010140000071219812875"); },
         "Błędny numer rachunku bankowego."},
        {[](firma::DaneFirmy& x) { x.konto = QStringLiteral("1090101400000712198128"); },
         "Błędny numer rachunku bankowego."},
    };
    for (const Zle& z : zle) {
        firma::DaneFirmy x = f;
        z.zepsuj(x);
        EXPECT_EQ(firma::zapiszDaneFirmy(data->conn, x).uwaga, QString::fromUtf8(z.uwaga));
    }
    EXPECT_EQ(count("FROM FIRMA"), 0);

    const firma::WynikZapisu w = firma::zapiszDaneFirmy(data->conn, f);
    ASSERT_EQ(w.uwaga, QString());
    const firma::DaneFirmy zapisane = firma::czytajDaneFirmy(data->conn);
    EXPECT_EQ(zapisane, w.zapisane);
    EXPECT_EQ(zapisane.nazwa, "Hurtownia Łąka Sp. z o.o.");
    EXPECT_EQ(zapisane.nip, "5260250274");
    EXPECT_EQ(zapisane.konto, "61109010140000071219812874");
    EXPECT_EQ(zapisane.wersja, 1);
    EXPECT_EQ(firma::kontoDoDruku(zapisane.konto), "61 1090 1014 0000 0712 1981 2874");
    EXPECT_EQ(firma::brakiDanychFirmy(zapisane, true), QString());
    firma::DaneFirmy bezKonta = zapisane;
    bezKonta.konto.clear();
    EXPECT_EQ(firma::brakiDanychFirmy(bezKonta, false), QString());
    EXPECT_TRUE(firma::brakiDanychFirmy(bezKonta, true).contains("numeru rachunku bankowego"));
    EXPECT_TRUE(firma::brakiDanychFirmy({}, false).contains("nazwy, adresu"));
}

TEST_F(Tabele, TwoWorkstationsSavingCompanyDetailsFromTheSameReadingSaveOnce) {
    DrugaStacja druga(database->path());
    // Both open the window on a database where nothing was saved yet, then on version 1.
    for (int runda = 0; runda < 2; ++runda) {
        const firma::DaneFirmy tu = firma::czytajDaneFirmy(data->conn);
        const firma::DaneFirmy tam = firma::czytajDaneFirmy(druga.att);
        ASSERT_EQ(tu.wersja, runda);
        firma::DaneFirmy a = tu, b = tam;
        a.nazwa = QStringLiteral("Firma A %1").arg(runda);
        b.nazwa = QStringLiteral("Firma B %1").arg(runda);
        EXPECT_EQ(firma::zapiszDaneFirmy(druga.att, b).uwaga, QString());
        EXPECT_TRUE(firma::zapiszDaneFirmy(data->conn, a).uwaga.contains("inny użytkownik"));
        EXPECT_EQ(firma::czytajDaneFirmy(data->conn).nazwa, b.nazwa); // nothing overwritten
    }
}

TEST_F(Tabele, EuroRatesTypedInFetchedAndLookedUpForADueDate) {
    struct Case {
        const char* data;
        const char* kurs;
        const char* uwaga;
    } cases[] = {
        {"2024-02-28", "4.3000", "ostatniego dnia roboczego"}, // 29 February is the last
        {"2099-12-31", "4.3000", "nie może być późniejszy"},
        {"2024-02-29", "4.3191", ""},
        {"2024-02-29", "4.3200", "jest już w tabeli"},
        {"2024-03-29", "4.3191", ""}, // Easter Sunday on the 31st
    };
    for (const Case& c : cases) {
        const QString u = kursy::dopiszKursRecznie(data->conn, d(c.data), m(c.kurs));
        EXPECT_TRUE(QString::fromUtf8(c.uwaga).isEmpty() ? u.isEmpty()
                                                         : u.contains(QString::fromUtf8(c.uwaga)))
            << c.data << ": " << u.toStdString();
    }
    // A fetched rate replaces a typed one of its day and adds the others.
    EXPECT_EQ(kursy::zapiszKursyNbp(data->conn,
                                    {{d("2024-03-29"), m("4.3191"), "063/A/NBP/2024", false},
                                     {d("2024-04-30"), m("4.3213"), "083/A/NBP/2024", false}}),
              1);
    const std::vector<kursy::KursEur> k = kursy::czytajKursy(data->conn);
    ASSERT_EQ(k.size(), 3u);
    EXPECT_EQ(k[0].data, d("2024-04-30")); // newest first
    EXPECT_EQ(k[1], (kursy::KursEur{d("2024-03-29"), m("4.3191"), "063/A/NBP/2024", false}));
    EXPECT_TRUE(k[2].reczny);
    // A payment due in April converts at the March rate; one due in June finds none.
    EXPECT_EQ(kursy::kursDoRekompensaty(k, d("2024-04-15"))->data, d("2024-03-29"));
    EXPECT_EQ(kursy::kursDoRekompensaty(k, d("2024-03-01"))->kurs, m("4.3191"));
    EXPECT_FALSE(kursy::kursDoRekompensaty(k, d("2024-06-03")));
    // Corrected by hand as read; a stale correction is refused.
    EXPECT_EQ(kursy::poprawKursRecznie(data->conn, k[2], d("2024-02-29"), m("4.3190")), QString());
    EXPECT_TRUE(kursy::poprawKursRecznie(data->conn, k[2], d("2024-02-29"), m("4.3189"))
                    .contains("inny użytkownik"));
    EXPECT_EQ(kursy::usunKurs(data->conn, d("2024-04-30")), QString());
    EXPECT_TRUE(kursy::usunKurs(data->conn, d("2024-04-30")).contains("nie ma już"));
    EXPECT_EQ(kursy::czytajKursy(data->conn).size(), 2u);

    EXPECT_EQ(kursy::parsujKurs("4,3191"), m("4.3191"));
    for (const char* zly : {"", "0", "4,31915", "-4.3", "abc", "100"})
        EXPECT_FALSE(kursy::parsujKurs(QString::fromLatin1(zly))) << zly;
    EXPECT_EQ(kursy::formatKursu(m("4.05")), "4,0500");
}

TEST_F(Tabele, ContractorIsACommercialDebtorUnlessMarkedOtherwise) {
    data->OtworzKlient();
    kontrahenci::DaneKlienta firmaZwykla{"Zwykła", "", "PL", "", "", ""};
    kontrahenci::DaneKlienta konsument{"Jan Kowalski", "ul. Polna 1", "PL", "", "", ""};
    konsument.konsument = true;
    konsument.zozPubliczny = true; // a consumer is never a healthcare provider
    kontrahenci::DaneKlienta szpital{"Szpital Wojewódzki", "", "PL", "", "", ""};
    szpital.zozPubliczny = true;
    for (const auto* k : {&firmaZwykla, &konsument, &szpital})
        ASSERT_TRUE(kontrahenci::ZapiszKlienta(*data, true, 0, *k).zapisano);
    auto rodzaj = [&](const char* nazwa) {
        const int id = scalar(QStringLiteral("SELECT KLIENTID FROM KLIENT WHERE NAZWA = '%1'")
                                  .arg(QString::fromUtf8(nazwa)))
                           .toInt();
        return dokumenty::czytajOdbiorce(data->conn, id)->dluznik;
    };
    EXPECT_EQ(rodzaj("Zwykła"), odsetki::Dluznik::Przedsiebiorca);
    EXPECT_EQ(rodzaj("Jan Kowalski"), odsetki::Dluznik::Konsument);
    EXPECT_EQ(rodzaj("Szpital Wojewódzki"), odsetki::Dluznik::PublicznyZoz);
    EXPECT_EQ(count("FROM KLIENT WHERE KONSUMENT = 'T' AND ZOZ_PUBLICZNY = 'T'"), 0);
    // Rows other runs insert without the columns are businesses.
    addKlient(900, "Z importu");
    EXPECT_EQ(dokumenty::czytajOdbiorce(data->conn, 900)->dluznik,
              odsetki::Dluznik::Przedsiebiorca);
    // Correcting keeps what the dialog says.
    data->OtworzKlient();
    data->Klient.locate("KLIENTID", 900);
    kontrahenci::DaneKlienta poprawa{"Z importu", "", "", "", "", ""};
    poprawa.konsument = true;
    ASSERT_TRUE(kontrahenci::ZapiszKlienta(*data, false, 900, poprawa).zapisano);
    EXPECT_EQ(dokumenty::czytajOdbiorce(data->conn, 900)->dluznik, odsetki::Dluznik::Konsument);
    EXPECT_EQ(data->Klient.field("KONSUMENT").toString(), "T");
    EXPECT_FALSE(dokumenty::czytajOdbiorce(data->conn, 12345));
}

TEST_F(Tabele, PrintedListsCarryTheCompanyNameOnceItIsSet) {
    addKlient(1, "Alfa");
    addTrans(10, 1, "100.00", "NULL");
    EXPECT_EQ(wydruk::czytajListe(*data, wydruk::RodzajListy::Dluznicy).firma, QString());
    firma::DaneFirmy f;
    f.nazwa = QStringLiteral("Hurtownia Łąka Sp. z o.o.");
    ASSERT_EQ(firma::zapiszDaneFirmy(data->conn, f).uwaga, QString());
    EXPECT_EQ(wydruk::czytajListe(*data, wydruk::RodzajListy::Dluznicy).firma, f.nazwa);
    EXPECT_EQ(wydruk::czytajListe(*data, wydruk::RodzajListy::Nadplaty).firma, f.nazwa);
}
