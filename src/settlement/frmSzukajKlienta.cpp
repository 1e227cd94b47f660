#include "frmSzukajKlienta.h"

#include "DataGrid.h"
#include "Error.h"
#include "PanelWyboru.h"
#include "fdm.h"
#include "komun.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TSzukajKlientaFrm::TSzukajKlientaFrm(Tdm& dm, QWidget* parent)
    : QDialog(parent), lista_(dm.conn, SqlSzukajKlienta()) {
    setObjectName(QStringLiteral("SzukajKlientaFrm"));
    setWindowTitle(QStringLiteral("Wybór kontrahenta"));

    DatasetColumn nip;
    nip.field = QStringLiteral("NR_NIP");
    nip.title = QStringLiteral("Identyfikator VAT");
    DatasetColumn nazwa;
    nazwa.field = QStringLiteral("NAZWA");
    nazwa.title = QStringLiteral("Kontrahent");
    lista_.lista().setColumns({nip, nazwa});

    panel_ = new TPanelWyboru(lista_, this);
    Grid = panel_->Grid;
    FiltrEd = panel_->FiltrEd;
    Grid->setColumnWidth(0, 130);

    auto* filtrBox = new QGroupBox(QStringLiteral("Filtruj: W nazwie kontrahenta występuje tekst "
                                                  "(albo w jego NIP lub numerze rachunku)"),
                                   this);
    auto* filtrLayout = new QHBoxLayout(filtrBox);
    filtrLayout->addWidget(FiltrEd);

    WybierzBtn = new QPushButton(QStringLiteral("Wybierz"), this);
    WybierzBtn->setDefault(true);
    AnulujBtn = new QPushButton(QStringLiteral("Anuluj"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(WybierzBtn);
    buttons->addWidget(AnulujBtn);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Grid, 1);
    layout->addWidget(filtrBox);
    layout->addLayout(buttons);
    resize(720, 480);

    connect(panel_, &TPanelWyboru::moznaWybrac, WybierzBtn, &QPushButton::setEnabled);
    connect(WybierzBtn, &QPushButton::clicked, this, &TSzukajKlientaFrm::WybierzBtnClick);
    connect(AnulujBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(Grid, &DataGrid::activated, this, [this] {
        if (WybierzBtn->isEnabled())
            WybierzBtnClick();
    });
}

bool TSzukajKlientaFrm::Przygotuj(const QString& filtr) {
    FKlientId = 0;
    FiltrEd->blockSignals(true);
    FiltrEd->setText(filtr.trimmed());
    FiltrEd->blockSignals(false);
    lista_.ustawFiltr(FiltrEd->text());
    try {
        lista_.otworz();
    } catch (const db::Error&) {
        WybierzBtn->setEnabled(false);
        Info(QStringLiteral("Nie udało się otworzyć bazy Kontrahenci."));
        return false;
    }
    WybierzBtn->setEnabled(lista_.maBiezacy());
    FiltrEd->setFocus();
    return true;
}

int TSzukajKlientaFrm::Execute(const QString& filtr) {
    if (!Przygotuj(filtr))
        return QDialog::Rejected;
    return exec();
}

void TSzukajKlientaFrm::WybierzBtnClick() {
    const int id = lista_.biezacyKlientId();
    if (id <= 0)
        return;
    FKlientId = id;
    accept();
}

void TSzukajKlientaFrm::done(int r) {
    QDialog::done(r);
    lista_.zakoncz();
}
