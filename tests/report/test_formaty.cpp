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

TEST(Formaty, ReceiptAmountGroupedWithADecimalCommaUnderAnyLocale) {
    const QLocale pl(QLocale::Polish, QLocale::Poland);
    ASSERT_EQ(pl.groupSeparator(), Nbsp);
    EXPECT_EQ(formatNPrzecinek(m("0.5"), pl), "0,50");
    EXPECT_EQ(formatNPrzecinek(m("1234567.89"), pl), "1" + Nbsp + "234" + Nbsp + "567,89");
    const QLocale en(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(formatNPrzecinek(m("1234.5"), en), "1,234,50");
}

TEST(Formaty, BothListsGroupEveryThousand) {
    for (RodzajListy r : {RodzajListy::Dluznicy, RodzajListy::Nadplaty, RodzajListy::Zestawienie})
        EXPECT_EQ(kwotaWiersza(r, m("1012345.67")), "1" + Nbsp + "012" + Nbsp + "345,67");
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
