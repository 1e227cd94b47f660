#include "gridOperator.h"

#include "DataGrid.h"
#include "Operatorzy.h"
#include "SHA1.h"
#include "fdm.h"
#include "frmOperator.h"
#include "komun.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

TOperatorTbl::TOperatorTbl(Tdm& dm, TOperatorFrm& operatorFrm, QWidget* parent)
    : QDialog(parent), dm_(dm), operatorFrm_(operatorFrm) {
    setObjectName(QStringLiteral("OperatorTbl"));
    setWindowTitle(QStringLiteral("Użytkownicy"));
    DatasetColumn nazwa;
    nazwa.field = QStringLiteral("NAZWA");
    nazwa.title = QStringLiteral("Użytkownik");
    dm_.OperatorXE.setColumns({nazwa});

    Grid = new DataGrid(this);
    Grid->setDataset(&dm_.OperatorXE);
    Grid->horizontalHeader()->setStretchLastSection(true);
    DopiszBtn = new QPushButton(QStringLiteral("Dopisz"), this);
    PoprawBtn = new QPushButton(QStringLiteral("Popraw"), this);
    UsunBtn = new QPushButton(QStringLiteral("Usuń"), this);
    ZamknijBtn = new QPushButton(QStringLiteral("&Zamknij"), this);
    ZamknijBtn->setDefault(true);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(DopiszBtn);
    buttons->addWidget(PoprawBtn);
    buttons->addWidget(UsunBtn);
    buttons->addStretch();
    buttons->addWidget(ZamknijBtn);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(Grid, 1);
    layout->addLayout(buttons);
    resize(420, 320);

    connect(DopiszBtn, &QPushButton::clicked, this, &TOperatorTbl::DopiszBtnClick);
    connect(PoprawBtn, &QPushButton::clicked, this, &TOperatorTbl::PoprawBtnClick);
    connect(UsunBtn, &QPushButton::clicked, this, &TOperatorTbl::UsunBtnClick);
    connect(ZamknijBtn, &QPushButton::clicked, this, &QDialog::accept);
    // A double click or Enter on a row corrects it, when the buttons allow that.
    connect(Grid, &DataGrid::activated, this, [this] {
        if (PoprawBtn->isEnabled())
            PoprawBtnClick();
    });
    connect(&dm_.OperatorXE, &Dataset::currentChanged, this, &TOperatorTbl::UpdateBtns);
    UpdateBtns();
}

bool TOperatorTbl::Przygotuj() {
    const bool otwarta = dm_.OtworzOperator();
    UpdateBtns();
    return otwarta;
}

void TOperatorTbl::Execute() {
    if (Przygotuj())
        exec();
}

void TOperatorTbl::UpdateBtns() {
    const Dataset& op = dm_.OperatorXE;
    const bool otwarta = op.isOpen();
    const bool wiersz = otwarta && op.current() != nullptr &&
                        !IsAdmin(op.field(QStringLiteral("NAZWA")).toString());
    DopiszBtn->setEnabled(otwarta);
    PoprawBtn->setEnabled(wiersz);
    UsunBtn->setEnabled(wiersz);
}

void TOperatorTbl::DopiszBtnClick() {
    operatorFrm_.Wstaw();
    UpdateBtns();
}

void TOperatorTbl::PoprawBtnClick() {
    operatorFrm_.Popraw();
    UpdateBtns();
}

void TOperatorTbl::UsunBtnClick() {
    if (!ZgodaDefNo(QStringLiteral("Usunąć użytkownika z wykazu?")))
        return;
    dm_.OperatorXE.deleteCurrent();
    dm_.OperatorXE.commitRetaining();
    UpdateBtns();
}

void TOperatorTbl::done(int r) {
    QDialog::done(r);
    operatorzy::ZakonczOdczyt(dm_);
}
