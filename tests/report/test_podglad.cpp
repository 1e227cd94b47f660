#include "PdfTekst.h"
#include "PodgladWydruku.h"

#include "TekstNum.h"
#include "komun.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTemporaryDir>
#include <QToolBar>

#include <gtest/gtest.h>

using namespace wydruk;

namespace {
DaneListy lista(int wierszy) {
    DaneListy l;
    l.rodzaj = RodzajListy::Dluznicy;
    l.dataWydruku = QDate(2026, 12, 10);
    for (int i = 1; i <= wierszy; ++i)
        l.wiersze.push_back({QStringLiteral("Kontrahent %1").arg(i), Money::fromCents(i * 100)});
    return l;
}
} // namespace

TEST(Podglad, ShowsThePagesAndExportsPdfAndCsvThroughItsActions) {
    komun::Recorder rec;
    QTemporaryDir dir;
    const DaneListy l = lista(100);
    TPodgladWydruku p(wydrukListy(l), tytulListy(l.rodzaj), nazwaPlikuListy(l));
    p.setEksportCsv(l);
    ASSERT_NE(p.akcjaPdf(), nullptr);
    EXPECT_EQ(p.akcjaPdf()->text(), "Eksport do PDF");
    EXPECT_TRUE(p.akcjaCsv()->isVisible() || p.akcjaCsv()->isEnabled());
    EXPECT_TRUE(p.okno().findChild<QToolBar*>()->actions().contains(p.akcjaPdf()));
    int obrot = 0; // the page cannot be turned: the layouts are A4 portrait
    for (QAction* a : p.okno().findChild<QToolBar*>()->actions())
        if (a->text() == "Portrait" || a->text() == "Landscape") {
            ++obrot;
            EXPECT_FALSE(a->isVisible());
        }
    EXPECT_EQ(obrot, 2);

    p.okno().show();
    QCoreApplication::processEvents();
    auto* widok = p.okno().findChild<QPrintPreviewWidget*>();
    ASSERT_NE(widok, nullptr);
    EXPECT_EQ(widok->pageCount(), 3);

    QString zapytano;
    p.wybierzPlik = [&](const QString& filtr, const QString& nazwa) {
        zapytano = filtr + u'|' + nazwa;
        return dir.filePath(filtr.contains("pdf") ? "lista" : "lista.CSV");
    };
    p.akcjaPdf()->trigger();
    EXPECT_EQ(zapytano, "Pliki PDF (*.pdf)|Zobowiazania_kontrahentow_2026-12-10.pdf");
    const TekstPdf t = TekstPdf::czytaj(dir.filePath("lista.pdf")); // the extension is added
    EXPECT_EQ(t.stron, 3);
    EXPECT_EQ(t.znajdz("Kontrahent 100").size(), 1u);

    p.akcjaCsv()->trigger();
    QFile csv(dir.filePath("lista.CSV"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_TRUE(csv.readAll().startsWith("\xEF\xBB\xBF"
                                         "Kontrahent;"));
    EXPECT_EQ(rec.texts().size(), 2);
    EXPECT_TRUE(rec.texts()[0].startsWith("Zapisano plik"));

    // A cancelled file choice writes nothing and says nothing.
    p.wybierzPlik = [](const QString&, const QString&) { return QString(); };
    p.akcjaPdf()->trigger();
    EXPECT_EQ(rec.texts().size(), 2);
    // An unwritable place is reported.
    EXPECT_FALSE(p.eksportujPdf(dir.filePath("brak/x.pdf")));
    ASSERT_EQ(rec.messages().size(), 3u);
    EXPECT_EQ(rec.messages()[2].kind, komun::Kind::Blad);
    p.okno().close();
}

// A name typed without its extension: the file written is the name with it, so the question
// whether to replace must be about that file, and "Nie" keeps it.
TEST(Podglad, ExistingFileIsNotReplacedUnaskedWhenTheExtensionIsAdded) {
    komun::Recorder rec;
    QTemporaryDir dir;
    const DaneListy l = lista(3);
    TPodgladWydruku p(wydrukListy(l), tytulListy(l.rodzaj), nazwaPlikuListy(l));
    p.setEksportCsv(l);
    QFile stary(dir.filePath("lista.csv"));
    ASSERT_TRUE(stary.open(QIODevice::WriteOnly));
    stary.write("ważne dane");
    stary.close();
    p.wybierzPlik = [&](const QString&, const QString&) { return dir.filePath("lista"); };

    rec.answer(false);
    p.akcjaCsv()->trigger();
    ASSERT_EQ(rec.messages().size(), 1u);
    EXPECT_EQ(rec.messages()[0].kind, komun::Kind::ZgodaDefNo);
    EXPECT_TRUE(rec.messages()[0].text.contains("lista.csv")) << rec.texts()[0].toStdString();
    ASSERT_TRUE(stary.open(QIODevice::ReadOnly));
    EXPECT_EQ(stary.readAll(), "ważne dane");
    stary.close();

    rec.answer(true);
    p.akcjaCsv()->trigger();
    ASSERT_TRUE(stary.open(QIODevice::ReadOnly));
    EXPECT_TRUE(stary.readAll().startsWith("\xEF\xBB\xBF"));
}

TEST(Podglad, ReceiptOffersNoCsv) {
    DaneDowodu d;
    d.wpisId = 5;
    d.nazwa = QStringLiteral("Ala");
    d.zaplacono = Money::fromWhole(3);
    d.slownie = Slownie(d.zaplacono);
    d.dataWydruku = QDate(2026, 12, 10);
    TPodgladWydruku p(wydrukDowodu(d), QStringLiteral("Dowód wpłaty"), nazwaPlikuDowodu(d));
    EXPECT_FALSE(p.akcjaCsv()->isVisible());
    p.okno().show();
    QCoreApplication::processEvents();
    EXPECT_EQ(p.okno().findChild<QPrintPreviewWidget*>()->pageCount(), 1);
    p.okno().close();
}
