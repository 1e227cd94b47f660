#include "KontrahenciTest.h"
#include "TestHttpsServer.h"
#include "WhiteListAnswers.h"
#include "frmKlienci.h"
#include "frmKlient.h"
#include "frmKonto.h"
#include "frmPobierzKonta.h"
#include "frmPolaczFirmy.h"
#include "frmSzczegoly.h"
#include "frmWybierzKodKR.h"
#include "uWhiteListFrm.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStandardPaths>

#include <gtest/gtest.h>

// "Pobierz" in the register opens the accounts dialog for the current contractor; what the
// dialog saves shows at once in the account list and the "RB" mark.
TEST_F(KontrahenciTest, FetchFromTheRegisterSavesAccountsAndTheMarkGoes) {
    QStandardPaths::setTestModeEnabled(true);
    TestHttpsServer server;
    server.setHandler([](const TestHttpsServer::Zapytanie&) {
        return TestHttpsServer::Odpowiedz{200, WhiteListAnswers::dwaKonta()};
    });
    TWhiteListFrm wl(server.adres());
    wl.klient().dodajZaufaneCA(TestCertificates::get().ca());
    TPobierzKontaFrm pobierz(*data, wl);
    TWybierzKodKRFrm picker;
    TKlientFrm klient(*data, picker);
    TKontoFrm konto(*data, picker);
    TSzczegolyFrm szczegoly(*data);
    TPolaczFirmyFrm polacz(*data, szczegoly, [] { return 0; });
    TKlienciFrm okno(
        *data, klient, konto, szczegoly, polacz,
        TKlienciFrm::Zewnetrzne{[](const QString&) { return 0; },
                                [&pobierz](const QString& nip) { pobierz.Execute(nip); }});
    addKlient(1, "Alfa", "PL", NipA);
    data->OtworzKlient();
    okno.Przygotuj();
    naKlienta(1);
    EXPECT_EQ(znakRB(1), "-");

    gdyOknoModalne([](QDialog* d) {
        auto* dialog = qobject_cast<TPobierzKontaFrm*>(d);
        ASSERT_NE(dialog, nullptr);
        dialog->PobierzBtnClick();
        // the register names another firm than "Alfa": warned, nothing ticked until the user
        // decides; here the user ticks both
        EXPECT_FALSE(dialog->OstrzezenieLbl->isHidden());
        EXPECT_FALSE(dialog->ZapiszBtn->isEnabled());
        for (int i = 0; i < dialog->Lista->count(); ++i)
            dialog->Lista->item(i)->setCheckState(Qt::Checked);
        dialog->ZapiszBtnClick();
    });
    okno.PobierzNumeryKont();
    EXPECT_EQ(pobierz.FDodano, 2);
    EXPECT_EQ(znakRB(1), "");
    EXPECT_EQ(data->KontoKL.recordCount(), 2);
    ASSERT_EQ(server.zapytania.size(), 1);
    EXPECT_TRUE(
        server.zapytania[0].cel.startsWith("/api/search/nip/" + NipA.toLatin1() + "?date="));
}
