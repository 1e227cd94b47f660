#include "frmSzczegoly.h"

#include "DataGrid.h"
#include "FiltrOkresu.h"
#include "Kontrahenci.h"
#include "TytulOkna.h"
#include "fdm.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

TSzczegolyFrm::TSzczegolyFrm(Tdm& dm, QWidget* parent) : QDialog(parent), dm_(dm) {
    setObjectName(QStringLiteral("SzczegolyFrm"));
    setWindowTitle(QStringLiteral("Transakcje"));
    Okres = new FiltrOkresu(this);
    Grid = new DataGrid(this);
    Grid->setObjectName(QStringLiteral("SzczegolyGrid"));
    Grid->horizontalHeader()->setStretchLastSection(true);
    SaldoLbl = new QLabel(this);
    QFont f = SaldoLbl->font();
    f.setBold(true);
    SaldoLbl->setFont(f);
    ZamknijBtn = new QPushButton(QStringLiteral("&Zamknij"), this);
    ZamknijBtn->setDefault(true);
    auto* dol = new QHBoxLayout;
    dol->addWidget(SaldoLbl, 1);
    dol->addWidget(ZamknijBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Okres);
    layout->addWidget(Grid, 1);
    layout->addLayout(dol);
    resize(720, 420);
    connect(ZamknijBtn, &QPushButton::clicked, this, &QDialog::accept);
}

bool TSzczegolyFrm::Przygotuj(int aKlientId) {
    KlientId = aKlientId;
    if (!dm_.OtworzTransKL(aKlientId))
        return false;
    // The list is shared with other windows: its columns are set each time it is shown here.
    dm_.TransKL.setColumns(KolumnyKsiegi());
    Grid->setDataset(&dm_.TransKL);
    for (int i : {0, 1, 2, 3})
        Grid->setColumnWidth(i, i == 0 ? 90 : 120);
    Okres->podlacz(&dm_.TransKL, QStringLiteral("DATA_TR"));
    SaldoLbl->setText(kontrahenci::TekstSaldaKlienta(dm_, aKlientId));
    // Whose transactions these are, as every window on one contractor says.
    setWindowTitle(TytulOkna(QStringLiteral("Transakcje"), dm_.NazwaKlienta(aKlientId)));
    return true;
}

void TSzczegolyFrm::Execute(int aKlientId) {
    if (Przygotuj(aKlientId))
        exec();
}

void TSzczegolyFrm::done(int r) {
    QDialog::done(r);
    Okres->odlacz();
    Grid->setDataset(nullptr);
}
