#include "DataGrid.h"
#include "Dataset.h"
#include "Siatka.h"
#include "TestDatabase.h"

#include <QHeaderView>
#include <QStandardItemModel>

#include <gtest/gtest.h>

namespace {

// The texts of one column in the order the list shows them.
QStringList kolumna(const QTableView& s, int k) {
    QStringList t;
    for (int r = 0; r < s.model()->rowCount(); ++r)
        t << s.model()->index(r, k).data().toString();
    return t;
}

void sortuj(Siatka& s, int k, Qt::SortOrder o) {
    s.horizontalHeader()->setSortIndicator(k, o); // what a click on the heading does
}

} // namespace

TEST(Siatka, ClickedColumnSortsByValueAndTextInPolishOrder) {
    QStandardItemModel m(0, 2);
    const struct {
        const char* tekst;
        qlonglong kwota;
    } wiersze[] = {{"FV/10", 900}, {"Żuraw", -5}, {"FV/9", 100000}, {"ćma", 0}, {"Ala", 12}};
    for (const auto& w : wiersze) {
        auto* t = new QStandardItem(QString::fromUtf8(w.tekst));
        auto* k = new QStandardItem(QString::number(w.kwota)); // shown as text...
        k->setData(w.kwota, RolaSortowania);                   // ...sorted by value
        m.appendRow({t, k});
    }
    Siatka s;
    s.setModel(&m);
    EXPECT_EQ(kolumna(s, 0), QStringList({"FV/10", "Żuraw", "FV/9", "ćma", "Ala"})); // own order

    sortuj(s, 0, Qt::AscendingOrder);
    EXPECT_EQ(kolumna(s, 0), QStringList({"Ala", "ćma", "FV/9", "FV/10", "Żuraw"}));
    sortuj(s, 1, Qt::DescendingOrder);
    EXPECT_EQ(kolumna(s, 1), QStringList({"100000", "900", "12", "0", "-5"}));

    // The window speaks of its own rows whatever the order shown.
    s.ustawBiezacy(1); // "Żuraw"
    EXPECT_EQ(s.currentIndex().row(), 4);
    EXPECT_EQ(s.biezacyWiersz(), 1);
    int zgloszony = -2;
    QObject::connect(&s, &Siatka::biezacyZmieniony, [&](int w) { zgloszony = w; });
    s.selectRow(0); // "FV/9" shown first
    EXPECT_EQ(zgloszony, 2);

    s.bezSortowania();
    EXPECT_EQ(kolumna(s, 0), QStringList({"FV/10", "Żuraw", "FV/9", "ćma", "Ala"}));
    // Tab leaves the list rather than walking its cells.
    EXPECT_FALSE(s.tabKeyNavigation());
}

class SiatkaDanych : public DbTest {};

// The dataset's current row follows the list and the list follows the dataset, in any order
// the user sorted the list.
TEST_F(SiatkaDanych, SortedListAndDatasetMoveTogether) {
    addKlient(1, QStringLiteral("Cezary"));
    addKlient(2, QStringLiteral("Adam"));
    addKlient(3, QStringLiteral("Bożena"));
    data->openStartupLists();
    Dataset& k = data->Klient;
    k.setColumns({{QStringLiteral("KLIENTID"), QStringLiteral("Id"), {}},
                  {QStringLiteral("NAZWA"), QStringLiteral("Nazwa"), {}}});
    DataGrid g;
    g.setDataset(&k);
    sortuj(g, 0, Qt::DescendingOrder); // 3, 2, 1
    EXPECT_EQ(kolumna(g, 1), QStringList({"Bożena", "Adam", "Cezary"}));

    k.locate(QStringLiteral("KLIENTID"), 2);
    EXPECT_EQ(g.currentIndex().row(), 1);
    g.selectRow(2);
    EXPECT_EQ(k.field(QStringLiteral("NAZWA")).toString(), "Cezary");
    // Reading the list again keeps the user's order.
    data->OtworzKlient();
    EXPECT_EQ(kolumna(g, 1), QStringList({"Bożena", "Adam", "Cezary"}));
    EXPECT_EQ(g.biezacyWiersz(), k.currentIndex());
}
