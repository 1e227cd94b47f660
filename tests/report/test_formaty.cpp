#include "EksportCsv.h"
#include "Formaty.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace wydruk;

namespace {
Money m(const char* s) {
    return *Money::parse(QString::fromLatin1(s));
}
const QString Nbsp = QString(QChar(0x00A0));
} // namespace

TEST(Formaty, AmountFormatsOfTheListsAndTheReceipt) {
    const QLocale pl(QLocale::Polish, QLocale::Poland);
    ASSERT_EQ(pl.groupSeparator(), Nbsp);
    struct Case {
        const char* kwota;
        QString spacja; // "# ##0.00"
        QString n;      // "%2.2n"
    } const cases[] = {
        {"0.5", " 0,50", "0,50"},
        {"12.3", " 12,30", "12,30"},
        {"999.99", " 999,99", "999,99"},
        {"1000", "1 000,00", "1" + Nbsp + "000,00"},
        {"1234.5", "1 234,50", "1" + Nbsp + "234,50"},
        {"999999.99", "999 999,99", "999" + Nbsp + "999,99"},
        {"1234567.89", "1234 567,89", "1" + Nbsp + "234" + Nbsp + "567,89"},
        {"1.005", " 1,01", "1,01"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatSpacja(m(c.kwota), pl), c.spacja) << c.kwota;
        EXPECT_EQ(formatN(m(c.kwota), pl), c.n) << c.kwota;
        EXPECT_EQ(formatNPrzecinek(m(c.kwota), pl), c.n) << c.kwota;
    }
    // The receipt's format keeps its decimal comma under any locale; the others follow it.
    const QLocale en(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(formatNPrzecinek(m("1234.5"), en), "1,234,50");
    EXPECT_EQ(formatN(m("1234.5"), en), "1,234.50");
    EXPECT_EQ(formatSpacja(m("1234.5"), en), "1 234.50");
}

TEST(Formaty, ListTakesItsRowFormatByKind) {
    EXPECT_EQ(kwotaWiersza(RodzajListy::Dluznicy, m("1234.5")), "1 234,50");
    EXPECT_EQ(kwotaWiersza(RodzajListy::Nadplaty, m("1234.5")), "1" + Nbsp + "234,50");
}

TEST(EksportCsv, SpreadsheetReadyUtf8WithSemicolonsAndDecimalComma) {
    DaneListy l;
    l.rodzaj = RodzajListy::Dluznicy;
    l.wiersze = {{QStringLiteral("Żółta Łódź; spółka \"Ala\""), m("1234567.8")},
                 {QStringLiteral("=HYPERLINK(\"x\")"), m("0.05")},
                 {QStringLiteral("Zwykła"), m("12")}};
    const QByteArray csv = csvListy(l);
    EXPECT_EQ(csv, QByteArray("\xEF\xBB\xBF") +
                       QStringLiteral("Kontrahent;Należność\r\n"
                                      "\"Żółta Łódź; spółka \"\"Ala\"\"\";1234567,80\r\n"
                                      "\"'=HYPERLINK(\"\"x\"\")\";0,05\r\n"
                                      "Zwykła;12,00\r\n")
                           .toUtf8());
    l.rodzaj = RodzajListy::Nadplaty;
    EXPECT_TRUE(csvListy(l).contains(QStringLiteral("Kontrahent;Nadpłata\r\n").toUtf8()));

    QTemporaryDir dir;
    const QString plik = dir.filePath(QStringLiteral("lista.csv"));
    EXPECT_EQ(zapiszCsv(l, plik), QString());
    QFile f(plik);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), csvListy(l));
    EXPECT_TRUE(zapiszCsv(l, dir.filePath(QStringLiteral("brak/lista.csv")))
                    .startsWith(QStringLiteral("Nie udało się zapisać pliku")));
}
