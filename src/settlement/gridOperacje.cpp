#include "gridOperacje.h"

#include "DataGrid.h"
#include "Operacje.h"
#include "fdm.h"
#include "frmOperacja.h"
#include "komun.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

TOperacjeTbl::TOperacjeTbl(Tdm& dm, TOperacjaFrm& operacjaFrm, QWidget* parent)
    : QDialog(parent), dm_(dm), operacjaFrm_(operacjaFrm) {
    setObjectName(QStringLiteral("OperacjeTbl"));
    setWindowTitle(QStringLiteral("Opisy transakcji"));
    DatasetColumn opis;
    opis.field = QStringLiteral("OPIS");
    opis.title = QStringLiteral("Opis transakcji");
    dm_.Operacja.setColumns({opis});

    Grid = new DataGrid(this);
    Grid->setDataset(&dm_.Operacja);
    Grid->horizontalHeader()->setStretchLastSection(true);
    DopiszBtn = new QPushButton(QStringLiteral("&Dopisz"), this);
    PoprawBtn = new QPushButton(QStringLiteral("&Popraw"), this);
    UsunBtn = new QPushButton(QStringLiteral("&Usuń"), this);
    ZamknijBtn = new QPushButton(QStringLiteral("&Zamknij"), this);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(DopiszBtn);
    buttons->addWidget(PoprawBtn);
    buttons->addWidget(UsunBtn);
    buttons->addStretch();
    buttons->addWidget(ZamknijBtn);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(Grid, 1);
    layout->addLayout(buttons);
    resize(560, 400);

    connect(DopiszBtn, &QPushButton::clicked, this, &TOperacjeTbl::DopiszBtnClick);
    connect(PoprawBtn, &QPushButton::clicked, this, &TOperacjeTbl::PoprawBtnClick);
    connect(UsunBtn, &QPushButton::clicked, this, &TOperacjeTbl::UsunBtnClick);
    connect(ZamknijBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(Grid, &DataGrid::activated, this, [this] {
        if (PoprawBtn->isEnabled())
            PoprawBtnClick();
    });
    connect(&dm_.Operacja, &Dataset::currentChanged, this, &TOperacjeTbl::UpdateBtns);
    UpdateBtns();
}

bool TOperacjeTbl::Przygotuj() {
    const bool otwarta = dm_.OtworzOperacje();
    UpdateBtns();
    return otwarta;
}

void TOperacjeTbl::Execute() {
    if (Przygotuj())
        exec();
}

void TOperacjeTbl::UpdateBtns() {
    const Dataset& op = dm_.Operacja;
    const bool otwarta = op.isOpen();
    DopiszBtn->setEnabled(otwarta);
    PoprawBtn->setEnabled(otwarta && !op.isEmpty());
    UsunBtn->setEnabled(PoprawBtn->isEnabled());
}

void TOperacjeTbl::DopiszBtnClick() {
    operacjaFrm_.Wstaw();
    UpdateBtns();
}

void TOperacjeTbl::PoprawBtnClick() {
    operacjaFrm_.Popraw();
    UpdateBtns();
}

void TOperacjeTbl::UsunBtnClick() {
    if (!Zgoda(QStringLiteral("Usunąć opis operacji z wykazu?")))
        return;
    operacje::UsunOpis(dm_);
    UpdateBtns();
}

void TOperacjeTbl::done(int r) {
    QDialog::done(r);
    operacje::ZakonczOdczyt(dm_);
}
