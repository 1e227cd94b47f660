#include "frmPobierzKonta.h"

#include "PobierzKonta.h"
#include "TytulOkna.h"
#include "WaitCursor.h"
#include "fdm.h"
#include "komun.h"
#include "uWhiteListFrm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TPobierzKontaFrm::TPobierzKontaFrm(Tdm& dm, TWhiteListFrm& whiteList, QWidget* parent)
    : QDialog(parent), dm_(dm), whiteList_(whiteList) {
    setWindowTitle(QStringLiteral("Numery rachunków bankowych"));
    resize(420, 300);
    Lista = new QListWidget;
    StanLbl = new QLabel;
    PobierzBtn = new QPushButton(QStringLiteral("&Pobierz"));
    ZapiszBtn = new QPushButton(QStringLiteral("Zapi&sz"));
    ZamknijBtn = new QPushButton(QStringLiteral("&Zamknij"));
    for (QPushButton* b : {ZapiszBtn, ZamknijBtn})
        b->setAutoDefault(false);
    PobierzBtn->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(PobierzBtn);
    buttons->addWidget(ZapiszBtn);
    buttons->addStretch();
    buttons->addWidget(ZamknijBtn);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(Lista, 1);
    lay->addWidget(StanLbl);
    lay->addLayout(buttons);

    connect(PobierzBtn, &QPushButton::clicked, this, &TPobierzKontaFrm::PobierzBtnClick);
    connect(ZapiszBtn, &QPushButton::clicked, this, &TPobierzKontaFrm::ZapiszBtnClick);
    connect(ZamknijBtn, &QPushButton::clicked, this, &TPobierzKontaFrm::reject);
}

void TPobierzKontaFrm::Resetuj(const QString& Nip) {
    aNip = Nip;
    FDodano = 0;
    Lista->clear();
    StanLbl->setText(QStringLiteral("Numer VAT: ") + Nip);
    // Opened from the register on its current contractor: the title says whose accounts.
    const Dataset& k = dm_.Klient;
    const bool tenSam = k.current() && k.field(QStringLiteral("NR_NIP")).toString() == Nip;
    setWindowTitle(TytulOkna(QStringLiteral("Numery rachunków bankowych"),
                             tenSam ? k.field(QStringLiteral("NAZWA")).toString() : QString()));
    UpdateBtns();
}

void TPobierzKontaFrm::Execute(const QString& Nip) {
    Resetuj(Nip);
    exec();
}

void TPobierzKontaFrm::UpdateBtns() {
    PobierzBtn->setEnabled(!czeka_);
    ZamknijBtn->setEnabled(!czeka_);
    ZapiszBtn->setEnabled(!czeka_ && Lista->count() > 0);
}

void TPobierzKontaFrm::PobierzBtnClick() {
    if (czeka_)
        return;
    Lista->clear();
    czeka_ = true;
    UpdateBtns();
    StanLbl->setText(QStringLiteral("Trwa pobieranie danych z wykazu podatników VAT…"));
    {
        // The lookup lets the window repaint while it waits; the buttons stay off meanwhile.
        WaitCursor wait;
        whiteList_.PobierzNumeryKont(aNip);
    }
    czeka_ = false;
    StanLbl->setText(QStringLiteral("Numer VAT: ") + aNip);
    if (whiteList_.DownloadError) {
        UpdateBtns();
        Uwaga(QStringLiteral("Wystąpił błąd podczas pobierania."));
        return;
    }
    if (whiteList_.Konta.isEmpty()) {
        UpdateBtns();
        Uwaga(QStringLiteral(
            "Nie znaleziono żadnego numeru rachunku bankowego\rdla podanego kontrahenta."));
        return;
    }
    Lista->addItems(whiteList_.Konta);
    UpdateBtns();
}

void TPobierzKontaFrm::ZapiszBtnClick() {
    if (czeka_ || Lista->count() == 0)
        return;
    QStringList konta;
    for (int i = 0; i < Lista->count(); ++i)
        konta << Lista->item(i)->text();
    FDodano = ZapiszKonta(dm_.conn, aNip, konta);
    accept();
}

void TPobierzKontaFrm::reject() {
    if (czeka_)
        return; // the lookup ends first (at the latest at its time-out)
    QDialog::reject();
}
