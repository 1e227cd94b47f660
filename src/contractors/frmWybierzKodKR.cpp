#include "frmWybierzKodKR.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

TWybierzKodKRFrm::TWybierzKodKRFrm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("WybierzKodKRFrm"));
    setWindowTitle(QStringLiteral("Wybór kodu kraju"));
    Grid = new QTableView(this);
    Grid->setModel(&Lista);
    Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid->setSelectionMode(QAbstractItemView::SingleSelection);
    Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid->verticalHeader()->setVisible(false);
    Grid->verticalHeader()->setDefaultSectionSize(Grid->fontMetrics().height() + 6);
    Grid->horizontalHeader()->setStretchLastSection(true);
    Grid->setColumnWidth(0, 50);
    Grid->setWordWrap(false);

    auto* etykieta = new QLabel(QStringLiteral("Filtruj: &Nazwa kraju zawiera tekst"), this);
    FiltrEd = new QLineEdit(this);
    FiltrEd->setClearButtonEnabled(true);
    etykieta->setBuddy(FiltrEd);
    WybierzBtn = new QPushButton(QStringLiteral("&Wybierz"), this);
    WybierzBtn->setDefault(true);
    AnulujBtn = new QPushButton(QStringLiteral("&Anuluj"), this);

    auto* przyciski = new QHBoxLayout;
    przyciski->addStretch();
    przyciski->addWidget(WybierzBtn);
    przyciski->addWidget(AnulujBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Grid, 1);
    layout->addWidget(etykieta);
    layout->addWidget(FiltrEd);
    layout->addLayout(przyciski);
    resize(420, 480);

    connect(FiltrEd, &QLineEdit::textChanged, this, &TWybierzKodKRFrm::FiltrChange);
    connect(WybierzBtn, &QPushButton::clicked, this, &TWybierzKodKRFrm::WybierzBtnClick);
    connect(AnulujBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(Grid, &QTableView::doubleClicked, this, [this] {
        if (WybierzBtn->isEnabled())
            WybierzBtnClick();
    });
    FiltrChange();
}

int TWybierzKodKRFrm::biezacyWiersz() const {
    const QModelIndex i = Grid->currentIndex();
    return i.isValid() ? i.row() : -1;
}

void TWybierzKodKRFrm::ustawWiersz(int wiersz) {
    if (wiersz < 0 || wiersz >= Lista.liczba())
        return;
    const QModelIndex i = Lista.index(wiersz, 0);
    Grid->selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect |
                                                   QItemSelectionModel::Rows);
    Grid->scrollTo(i, QAbstractItemView::PositionAtCenter);
}

void TWybierzKodKRFrm::FiltrChange() {
    Lista.setFiltr(FiltrEd->text());
    ustawWiersz(0);
    WybierzBtn->setEnabled(biezacyWiersz() >= 0);
}

void TWybierzKodKRFrm::Przygotuj(const QString& kodKR) {
    FKraj.clear();
    FKod.clear();
    FiltrEd->clear();
    FiltrChange();
    ustawWiersz(Lista.wierszKodu(kodKR.trimmed().isEmpty() ? QStringLiteral("PL") : kodKR));
    FiltrEd->setFocus();
}

int TWybierzKodKRFrm::Execute(const QString& kodKR) {
    Przygotuj(kodKR);
    return exec();
}

void TWybierzKodKRFrm::WybierzBtnClick() {
    const int w = biezacyWiersz();
    if (w < 0)
        return;
    FKraj = Lista.nazwa(w).trimmed();
    FKod = Lista.kod(w).trimmed();
    accept();
}
