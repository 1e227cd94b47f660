#include "DaneFirmy.h"
#include "DataGrid.h"
#include "KlientNbp.h"
#include "KursyEur.h"
#include "StawkiOdsetek.h"
#include "TestDatabase.h"
#include "TestHttpsServer.h"
#include "frmDaneFirmy.h"
#include "frmKlient.h"
#include "frmKursyEur.h"
#include "frmStawkiOdsetek.h"
#include "frmWybierzKodKR.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

QDate d(const char* iso) {
    return QDate::fromString(QString::fromLatin1(iso), Qt::ISODate);
}

// Acts on the modal dialog the next exec() shows, once it is up.
template <typename F> void gdyOkno(F&& zrob) {
    QTimer::singleShot(0, [zrob = std::forward<F>(zrob)] {
        QWidget* w = QApplication::activeModalWidget();
        ASSERT_NE(w, nullptr);
        zrob(w);
    });
}

} // namespace

using Okna = DbTest;

TEST_F(Okna, CompanyDetailsAreTypedSavedAndShownAgain) {
    TDaneFirmyFrm frm(data->conn);
    frm.Przygotuj();
    EXPECT_TRUE(frm.NazwaEd->text().isEmpty());
    frm.NazwaEd->setText(QStringLiteral("Hurtownia Łąka Sp. z o.o."));
    frm.NipEd->setText(QStringLiteral("526-025-02-75"));
    frm.KontoEd->setText(QStringLiteral("61 1090 1014 0000 0712 1981 2874"));
    EXPECT_FALSE(frm.BankLbl->text().isEmpty()); // the bank named from the number
    frm.ZapiszBtnClick();
    EXPECT_EQ(messages->texts(), QStringList{"Błędny numer identyfikacyjny VAT."});
    EXPECT_EQ(frm.result(), 0); // stays open with what was typed
    EXPECT_EQ(frm.NazwaEd->text(), "Hurtownia Łąka Sp. z o.o.");
    EXPECT_EQ(count("FROM FIRMA"), 0);

    frm.NipEd->setText(QStringLiteral("526-025-02-74"));
    frm.MiejsceEd->setText(QStringLiteral("Warszawa"));
    frm.ZapiszBtnClick();
    EXPECT_EQ(frm.result(), QDialog::Accepted);
    EXPECT_EQ(firma::czytajDaneFirmy(data->conn).nip, "5260250274");

    // Opened again, and saved again from the same window: its own save is no conflict.
    TDaneFirmyFrm znowu(data->conn);
    znowu.Przygotuj();
    EXPECT_EQ(znowu.KontoEd->text(), "61 1090 1014 0000 0712 1981 2874");
    EXPECT_EQ(znowu.MiejsceEd->text(), "Warszawa");
    znowu.PodpisEd->setText(QStringLiteral("Anna Nowak"));
    znowu.ZapiszBtnClick();
    znowu.PodpisEd->setText(QStringLiteral("Anna Nowak – prezes"));
    znowu.ZapiszBtnClick();
    EXPECT_EQ(firma::czytajDaneFirmy(data->conn).podpis, "Anna Nowak – prezes");
    EXPECT_EQ(messages->texts().size(), 1);
}

TEST_F(Okna, InterestTablesAddCorrectAndDeleteThroughTheWindow) {
    TStawkaFrm stawkaFrm(*data);
    TStawkiOdsetekFrm frm(*data, stawkaFrm);
    ASSERT_TRUE(frm.Przygotuj());
    EXPECT_EQ(frm.lista(odsetki::Rodzaj::Handlowe).recordCount(), 22);
    // Newest first, the shipped rate to check marked.
    EXPECT_EQ(frm.biezacaStawka()->od, d("2026-07-01"));
    EXPECT_TRUE(frm.biezacaStawka()->doSprawdzenia);
    const QModelIndex uwagi = frm.lista(odsetki::Rodzaj::Handlowe).index(0, 3);
    EXPECT_EQ(uwagi.data().toString(), "do sprawdzenia (jedno źródło)");

    // A new commercial rate: the healthcare rate follows it until typed.
    gdyOkno([](QWidget* w) {
        auto* s = qobject_cast<TStawkaFrm*>(w);
        ASSERT_NE(s, nullptr);
        s->OdEd->setDate(QDate(2027, 1, 1));
        s->StawkaEd->setText(QStringLiteral("13,5"));
        emit s->StawkaEd->textEdited(s->StawkaEd->text());
        EXPECT_EQ(s->ZozEd->text(), "11,50");
        s->ZapiszBtn->click();
    });
    frm.DopiszBtnClick();
    EXPECT_EQ(frm.biezacaStawka(), (odsetki::Stawka{d("2027-01-01"), 1350, 1150, false}));

    // A civil rate on the second tab; a commercial date rule does not apply to it.
    frm.Zakladki->setCurrentIndex(1);
    EXPECT_EQ(frm.biezacyRodzaj(), odsetki::Rodzaj::Ustawowe);
    gdyOkno([](QWidget* w) {
        auto* s = qobject_cast<TStawkaFrm*>(w);
        EXPECT_FALSE(s->ZozEd->isVisible());
        s->OdEd->setDate(QDate(2026, 5, 7));
        s->StawkaEd->setText(QStringLiteral("9"));
        s->ZapiszBtn->click();
    });
    frm.DopiszBtnClick();
    EXPECT_EQ(frm.biezacaStawka()->od, d("2026-05-07"));
    EXPECT_EQ(frm.biezacaStawka()->stawka, 900);

    // Confirming the shipped unverified rate.
    frm.Zakladki->setCurrentIndex(0);
    frm.lista(odsetki::Rodzaj::Handlowe).locate(QStringLiteral("OD"), Date(d("2026-07-01")));
    gdyOkno([](QWidget* w) {
        auto* s = qobject_cast<TStawkaFrm*>(w);
        EXPECT_TRUE(s->DoSprawdzeniaCb->isChecked());
        EXPECT_EQ(s->ZozEd->text(), "11,75");
        s->DoSprawdzeniaCb->setChecked(false);
        s->ZapiszBtn->click();
    });
    frm.PoprawBtnClick();
    EXPECT_FALSE(frm.biezacaStawka()->doSprawdzenia);

    // A wrong rate stays in the dialog with a warning.
    gdyOkno([](QWidget* w) {
        auto* s = qobject_cast<TStawkaFrm*>(w);
        s->StawkaEd->setText(QStringLiteral("13,755"));
        s->ZapiszBtn->click();
        EXPECT_TRUE(s->isVisible());
        s->reject();
    });
    frm.PoprawBtnClick();
    EXPECT_TRUE(messages->texts().join("").contains("najwyżej dwa miejsca"));

    messages->answer(true);
    frm.UsunBtnClick();
    EXPECT_EQ(messages->messages().back().kind, komun::Kind::ZgodaDefNo);
    EXPECT_EQ(count("FROM STAWKA_ODSETEK WHERE RODZAJ = 'H' AND OD = '2026-07-01'"), 0);
    frm.done(QDialog::Accepted);
    EXPECT_FALSE(frm.lista(odsetki::Rodzaj::Handlowe).isOpen());
}

TEST_F(Okna, EuroRatesFetchedFromTheNbpAndTypedIn) {
    TestHttpsServer server;
    server.setHandler([](const TestHttpsServer::Zapytanie& z) {
        if (z.cel.contains("/2024-03-01/2024-03-31/"))
            return TestHttpsServer::Odpowiedz{
                200, "<ExchangeRatesSeries><Table>A</Table><Code>EUR</Code><Rates><Rate>"
                     "<No>063/A/NBP/2024</No><EffectiveDate>2024-03-29</EffectiveDate>"
                     "<Mid>4.3191</Mid></Rate></Rates></ExchangeRatesSeries>"};
        return TestHttpsServer::Odpowiedz{404, "Not Found"};
    });
    TKlientNbp nbp(server.adres());
    nbp.klient().dodajZaufaneCA(TestCertificates::get().ca());
    TKursEurFrm kursFrm(*data);
    TKursyEurTbl frm(*data, kursFrm, nbp);
    ASSERT_TRUE(frm.Przygotuj());
    EXPECT_TRUE(frm.PobierzBtn->isEnabled());
    EXPECT_FALSE(frm.UsunBtn->isEnabled());

    frm.Pobierz(d("2024-03-01"), d("2024-04-01"));
    // March came and is kept; April's failure is said with it.
    EXPECT_EQ(frm.Kursy().recordCount(), 1);
    ASSERT_EQ(messages->messages().size(), 1u);
    EXPECT_EQ(messages->messages()[0].kind, komun::Kind::Uwaga);
    EXPECT_TRUE(messages->texts()[0].contains("Pobrano z NBP kursów: 1 (nowych w tabeli: 1)"));
    EXPECT_TRUE(messages->texts()[0].contains("04.2024"));
    EXPECT_EQ(frm.Kursy().row(0)["TABELA"].toString(), "063/A/NBP/2024");

    gdyOkno([](QWidget* w) {
        auto* k = qobject_cast<TKursEurFrm*>(w);
        ASSERT_NE(k, nullptr);
        k->DataEd->setDate(QDate(2024, 2, 29));
        k->KursEd->setText(QStringLiteral("4,3191"));
        k->ZapiszBtn->click();
    });
    frm.DopiszBtnClick();
    EXPECT_EQ(frm.Kursy().recordCount(), 2);
    EXPECT_EQ(frm.Kursy().field("DATA").toDate().qdate(), d("2024-02-29"));
    EXPECT_EQ(frm.Kursy().field("ZRODLO").toString(), "R");
    EXPECT_TRUE(frm.UsunBtn->isEnabled());
    frm.done(QDialog::Accepted);
}

TEST_F(Okna, ContractorDialogMarksTheKindOfDebtor) {
    TWybierzKodKRFrm picker;
    TKlientFrm frm(*data, picker);
    data->OtworzKlient();
    frm.PrzygotujWstaw();
    EXPECT_TRUE(frm.PrzedsiebiorcaRb->isChecked());
    frm.NazwaEd->setText(QStringLiteral("Szpital Miejski"));
    frm.ZozCb->setChecked(true);
    frm.KonsumentRb->setChecked(true); // a consumer cannot stay marked a healthcare provider
    EXPECT_FALSE(frm.ZozCb->isEnabled());
    EXPECT_FALSE(frm.ZozCb->isChecked());
    frm.PrzedsiebiorcaRb->setChecked(true);
    frm.ZozCb->setChecked(true);
    frm.ZapiszBtnClick();
    EXPECT_EQ(count("FROM KLIENT WHERE NAZWA = 'Szpital Miejski' AND ZOZ_PUBLICZNY = 'T' "
                    "AND KONSUMENT = 'N'"),
              1);
    ASSERT_TRUE(frm.PrzygotujPopraw());
    EXPECT_TRUE(frm.ZozCb->isChecked());
    frm.KonsumentRb->setChecked(true);
    frm.ZapiszBtnClick();
    EXPECT_EQ(count("FROM KLIENT WHERE NAZWA = 'Szpital Miejski' AND ZOZ_PUBLICZNY = 'N' "
                    "AND KONSUMENT = 'T'"),
              1);
    ASSERT_TRUE(frm.PrzygotujPopraw());
    EXPECT_TRUE(frm.KonsumentRb->isChecked());
    EXPECT_FALSE(frm.ZozCb->isEnabled());
}
