#include "frmWybierzKodKR.h"

#include "Siatka.h"

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
    Grid = new Siatka(this);
    Grid->setModel(&Lista);
    Grid->horizontalHeader()->setStretchLastSection(true);
    Grid->setColumnWidth(0, 50);

    auto* etykieta = new QLabel(QStringLiteral("&Filtruj – nazwa kraju zawiera tekst:"), this);
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
    connect(Grid, &Siatka::activated, this, [this] {
        if (WybierzBtn->isEnabled())
            WybierzBtnClick();
    });
    FiltrChange();
}

int TWybierzKodKRFrm::biezacyWiersz() const {
    return Grid->biezacyWiersz();
}

void TWybierzKodKRFrm::ustawWiersz(int wiersz) {
    if (wiersz < 0 || wiersz >= Lista.liczba())
        return;
    Grid->ustawBiezacy(wiersz);
    Grid->scrollTo(Grid->currentIndex(), QAbstractItemView::PositionAtCenter);
}

void TWybierzKodKRFrm::FiltrChange() {
    Lista.setFiltr(FiltrEd->text());
    // The first country the list shows, in whatever order the user sorted it.
    if (Grid->model()->rowCount() > 0)
        Grid->selectRow(0);
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
