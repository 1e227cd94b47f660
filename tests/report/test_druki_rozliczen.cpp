#include "DrukiRozliczen.h"
#include "TestDatabase.h"

#include <QApplication>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTimer>

#include <gtest/gtest.h>

namespace {
// What the preview showed when it opened: its caption and page count; then closes it.
struct Podglad {
    QString tytul;
    int stron = -1;
    QObject kontekst; // a timer that never fired dies with its test
    void zamknijPrzyOtwarciu() {
        QTimer::singleShot(0, &kontekst, [this] {
            auto* okno = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
            if (!okno)
                return;
            QCoreApplication::processEvents();
            tytul = okno->windowTitle();
            stron = okno->findChild<QPrintPreviewWidget*>()->pageCount();
            okno->reject();
        });
    }
};
} // namespace

class DrukiRozliczenTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        addKlient(1, QStringLiteral("Źródło"));
        addKlient(2, QStringLiteral("Ala"));
        addTrans(10, 1, "NULL", "0.01");
        addTrans(11, 1, "300", "NULL");
        exec("INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, ZAPLACONO) "
             "VALUES (12, 2, 'W', '2026-12-01', 5)");
    }
};

TEST_F(DrukiRozliczenTest, ButtonsOpenThePreviewOfWhatTheDatabaseHolds) {
    const DrukiRozliczen druki = wydruk::drukiRozliczen(*data, nullptr);
    Podglad p;
    p.zamknijPrzyOtwarciu();
    druki.dowodWplaty(10);
    EXPECT_EQ(p.tytul, "Podgląd wydruku - Dowód wpłaty");
    EXPECT_EQ(p.stron, 1);

    Podglad n;
    n.zamknijPrzyOtwarciu();
    druki.naleznosci();
    EXPECT_EQ(n.tytul, "Podgląd wydruku - Zobowiązania kontrahentów");
    EXPECT_EQ(n.stron, 1);

    Podglad o;
    o.zamknijPrzyOtwarciu();
    druki.nadplaty();
    EXPECT_EQ(o.tytul, "Podgląd wydruku - Nadpłaty");
    EXPECT_TRUE(messages->texts().isEmpty());
}

TEST_F(DrukiRozliczenTest, ARowTheRulesRefuseGetsAWarningAndNoPreview) {
    const DrukiRozliczen druki = wydruk::drukiRozliczen(*data, nullptr);
    Podglad p;
    p.zamknijPrzyOtwarciu();
    druki.dowodWplaty(12); // a payment read from a statement
    druki.dowodWplaty(11); // an amount due
    EXPECT_EQ(p.stron, -1);
    ASSERT_EQ(messages->messages().size(), 2u);
    EXPECT_EQ(messages->messages()[0].kind, komun::Kind::Uwaga);
}
