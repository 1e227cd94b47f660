#include "ListaTbl.h"

#include "DataGrid.h"
#include "Dataset.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

TListaTbl::TListaTbl(Dataset& dataset, std::vector<DatasetColumn> kolumny, const Napisy& napisy,
                     QWidget* parent)
    : QDialog(parent), dataset_(dataset) {
    dataset_.setColumns(std::move(kolumny));

    Grid = new DataGrid(this);
    Grid->setDataset(&dataset_);
    Grid->horizontalHeader()->setStretchLastSection(true);
    DopiszBtn = new QPushButton(napisy.dopisz, this);
    PoprawBtn = new QPushButton(napisy.popraw, this);
    UsunBtn = new QPushButton(napisy.usun, this);
    ZamknijBtn = new QPushButton(QStringLiteral("&Zamknij"), this);
    przyciski_ = new QVBoxLayout;
    przyciski_->addWidget(DopiszBtn);
    przyciski_->addWidget(PoprawBtn);
    przyciski_->addWidget(UsunBtn);
    przyciski_->addStretch();
    przyciski_->addWidget(ZamknijBtn);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(Grid, 1);
    layout->addLayout(przyciski_);

    connect(DopiszBtn, &QPushButton::clicked, this, &TListaTbl::DopiszBtnClick);
    connect(PoprawBtn, &QPushButton::clicked, this, &TListaTbl::PoprawBtnClick);
    connect(UsunBtn, &QPushButton::clicked, this, &TListaTbl::UsunBtnClick);
    connect(ZamknijBtn, &QPushButton::clicked, this, &QDialog::accept);
    // A double click or Enter on a row corrects it, when the buttons allow that.
    connect(Grid, &DataGrid::activated, this, [this] {
        if (PoprawBtn->isEnabled())
            PoprawBtnClick();
    });
    connect(&dataset_, &Dataset::currentChanged, this, &TListaTbl::UpdateBtns);
}

QPushButton* TListaTbl::dodajPrzycisk(const QString& napis) {
    auto* b = new QPushButton(napis, this);
    // Before the stretch that keeps "Zamknij" at the bottom.
    przyciski_->insertWidget(przyciski_->count() - 2, b);
    return b;
}

bool TListaTbl::Przygotuj() {
    const bool otwarta = Otworz();
    UpdateBtns();
    return otwarta;
}

void TListaTbl::Execute() {
    if (Przygotuj())
        exec();
}

bool TListaTbl::WierszDoZmiany() const {
    return !dataset_.isEmpty();
}

void TListaTbl::UpdateBtns() {
    const bool otwarta = dataset_.isOpen();
    const bool wiersz = otwarta && WierszDoZmiany();
    DopiszBtn->setEnabled(otwarta);
    PoprawBtn->setEnabled(wiersz);
    UsunBtn->setEnabled(wiersz);
}

void TListaTbl::DopiszBtnClick() {
    Dopisz();
    UpdateBtns();
}

void TListaTbl::PoprawBtnClick() {
    Popraw();
    UpdateBtns();
}

void TListaTbl::UsunBtnClick() {
    if (Usun())
        UpdateBtns();
}

void TListaTbl::done(int r) {
    QDialog::done(r);
    Zakoncz();
}
