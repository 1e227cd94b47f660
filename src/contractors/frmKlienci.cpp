#include "frmKlienci.h"

#include "DataGrid.h"
#include "FWindow.h"
#include "PoleSzukania.h"
#include "fdm.h"
#include "frmKlient.h"
#include "frmKonto.h"
#include "frmPolaczFirmy.h"
#include "frmSzczegoly.h"
#include "komun.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {
const QString KLIENTID = QStringLiteral("KLIENTID");

// The designed widths of "RB", "Identyfikator VAT", "Nazwa", "Telefon", "E-mail".
const std::vector<int> SzerokosciProjektu = {30, 110, 250, 100, 150};

std::vector<DatasetColumn> kolumnyKlienta() {
    DatasetColumn rb{QStringLiteral("KONTOTN"), QStringLiteral("RB"),
                     // A true minus sign: it reads as the mark, not as a stray hyphen.
                     [](const db::Value& v) {
                         return v.toString().trimmed() == QStringLiteral("-") ? QStringLiteral("−")
                                                                              : QString();
                     },
                     Qt::AlignCenter};
    return {rb,
            {QStringLiteral("NR_NIP"), QStringLiteral("Identyfikator VAT"), {}},
            {QStringLiteral("NAZWA"), QStringLiteral("Nazwa"), {}},
            {QStringLiteral("TELEFON1"), QStringLiteral("Telefon"), {}},
            {QStringLiteral("EMAIL1"), QStringLiteral("E-mail"), {}}};
}
} // namespace

TKlienciFrm::TKlienciFrm(Tdm& dm, TKlientFrm& klientFrm, TKontoFrm& kontoFrm,
                         TSzczegolyFrm& szczegolyFrm, TPolaczFirmyFrm& polaczFrm,
                         Zewnetrzne zewnetrzne, QWidget* parent)
    : QDialog(parent), dm_(dm), klientFrm_(klientFrm), kontoFrm_(kontoFrm),
      szczegolyFrm_(szczegolyFrm), polaczFrm_(polaczFrm), zewnetrzne_(std::move(zewnetrzne)) {
    setObjectName(QStringLiteral("KlienciFrm"));
    setWindowTitle(QStringLiteral("Kontrahenci"));
    setMinimumSize(780, 560);
    setSizeGripEnabled(true);

    KlientDopiszBtn = new QPushButton(QStringLiteral("Dopisz"), this);
    KlientPoprawBtn = new QPushButton(QStringLiteral("Popraw"), this);
    KlientUsunBtn = new QPushButton(QStringLiteral("Usuń"), this);
    PolaczBtn = new QPushButton(QStringLiteral("Dołącz dane innego kontrahenta "), this);
    KontoDopiszBtn = new QPushButton(QStringLiteral("Dopisz"), this);
    KontoPoprawBtn = new QPushButton(QStringLiteral("Popraw"), this);
    KontoUsunBtn = new QPushButton(QStringLiteral("Usuń"), this);
    PobierzBtn = new QPushButton(QStringLiteral("Pobierz"), this);
    PobierzBtn->setToolTip(QStringLiteral("Pobierz numery rachunków z białej listy VAT"));
    SzczegolyBtn = new QPushButton(QStringLiteral("Szczegóły"), this);
    SzukajBtn = new QPushButton(QStringLiteral("Szukaj"), this);
    ZamknijBtn = new QPushButton(QStringLiteral("Zamknij"), this);
    for (QPushButton* b :
         {KlientDopiszBtn, KlientPoprawBtn, KlientUsunBtn, PolaczBtn, KontoDopiszBtn,
          KontoPoprawBtn, KontoUsunBtn, PobierzBtn, SzczegolyBtn, SzukajBtn, ZamknijBtn})
        b->setAutoDefault(false);
    szukanie_ = new TPoleSzukania(dm_.Klient, dm_.conn, this);
    SzukajEd = szukanie_->SzukajEd;
    SzukajEd->setPlaceholderText(QStringLiteral("Nazwa, NIP lub numer rachunku kontrahenta"));
    SzukajNotkaLbl = szukanie_->NotkaLbl;
    SaldoLbl = new QLabel(this);
    QFont f = SaldoLbl->font();
    f.setBold(true);
    SaldoLbl->setFont(f);
    StatusBar = new QStatusBar(this);
    StatusBar->setSizeGripEnabled(false);

    KlientGrid = new DataGrid(this);
    KlientGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // Kept widths may be as narrow as the layout store allows.
    KlientGrid->horizontalHeader()->setMinimumSectionSize(GridLayout::MinSzerokosc);
    KontoGrid = new DataGrid(this);

    auto* gora = new QHBoxLayout;
    for (QPushButton* b : {KlientDopiszBtn, KlientPoprawBtn, KlientUsunBtn, PolaczBtn})
        gora->addWidget(b);
    gora->addStretch();

    auto* kontaPrzyciski = new QHBoxLayout;
    for (QPushButton* b : {KontoDopiszBtn, KontoPoprawBtn, KontoUsunBtn, PobierzBtn})
        kontaPrzyciski->addWidget(b);
    auto* prawa = new QVBoxLayout;
    prawa->addLayout(kontaPrzyciski);
    prawa->addWidget(KontoGrid, 1);
    prawa->addWidget(SaldoLbl);
    auto* szczegolyRzad = new QHBoxLayout;
    szczegolyRzad->addStretch();
    szczegolyRzad->addWidget(SzczegolyBtn);
    prawa->addLayout(szczegolyRzad);

    auto* srodek = new QHBoxLayout;
    srodek->addWidget(KlientGrid, 3);
    srodek->addLayout(prawa, 2);

    auto* dol = new QHBoxLayout;
    dol->addWidget(SzukajBtn);
    dol->addWidget(SzukajEd, 1);
    dol->addWidget(SzukajNotkaLbl);
    dol->addSpacing(24);
    dol->addWidget(ZamknijBtn);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 0);
    layout->addLayout(gora);
    layout->addLayout(srodek, 1);
    layout->addLayout(dol);
    layout->addWidget(StatusBar);
    resize(980, 600);

    connect(SzukajBtn, &QPushButton::clicked, this, &TKlienciFrm::SzukajBtnClick);
    connect(KlientDopiszBtn, &QPushButton::clicked, this, &TKlienciFrm::KlientDopiszBtnClick);
    connect(KlientPoprawBtn, &QPushButton::clicked, this, &TKlienciFrm::KlientPoprawBtnClick);
    connect(KlientUsunBtn, &QPushButton::clicked, this, &TKlienciFrm::KlientUsunBtnClick);
    connect(PolaczBtn, &QPushButton::clicked, this, &TKlienciFrm::PolaczBtnClick);
    connect(KontoDopiszBtn, &QPushButton::clicked, this, &TKlienciFrm::KontoDopiszBtnClick);
    connect(KontoPoprawBtn, &QPushButton::clicked, this, &TKlienciFrm::KontoPoprawBtnClick);
    connect(KontoUsunBtn, &QPushButton::clicked, this, &TKlienciFrm::KontoUsunBtnClick);
    connect(PobierzBtn, &QPushButton::clicked, this, &TKlienciFrm::PobierzNumeryKont);
    connect(SzczegolyBtn, &QPushButton::clicked, this, &TKlienciFrm::SzczegolyBtnClick);
    connect(ZamknijBtn, &QPushButton::clicked, this, &QDialog::accept);
    // A double click or Enter corrects the row, when the buttons allow it.
    connect(KlientGrid, &DataGrid::activated, this, [this] {
        if (KlientPoprawBtn->isEnabled())
            KlientPoprawBtnClick();
    });
    connect(KontoGrid, &DataGrid::activated, this, [this] {
        if (KontoPoprawBtn->isEnabled())
            KontoPoprawBtnClick();
    });

    LoadConfig();
    UpdateBtns();
}

TKlienciFrm::~TKlienciFrm() {
    SaveConfig();
}

void TKlienciFrm::LoadConfig() {
    szerokosci_ = GridLayout::WczytajSzerokosci(NazwaSiatki, SzerokosciProjektu);
}

void TKlienciFrm::SaveConfig() {
    zapamietajSzerokosci();
    GridLayout::ZapiszSzerokosci(NazwaSiatki, szerokosci_);
}

void TKlienciFrm::zapamietajSzerokosci() {
    if (!powiazany_)
        return;
    const QHeaderView* h = KlientGrid->horizontalHeader();
    for (int i = 0; i < h->count() && i < static_cast<int>(szerokosci_.size()); ++i)
        szerokosci_[static_cast<size_t>(i)] = h->sectionSize(h->logicalIndex(i));
}

void TKlienciFrm::powiaz() {
    // The lists are shared with other windows: their columns are set each time.
    dm_.Klient.setColumns(kolumnyKlienta());
    DatasetColumn konto{QStringLiteral("KontoStr"), QStringLiteral("Numer rachunku bankowego"), {}};
    dm_.KontoKL.setColumns({konto});
    KlientGrid->setDataset(&dm_.Klient);
    KontoGrid->setDataset(&dm_.KontoKL);
    KontoGrid->horizontalHeader()->setStretchLastSection(true);
    for (size_t i = 0; i < szerokosci_.size(); ++i)
        KlientGrid->setColumnWidth(static_cast<int>(i), szerokosci_[i]);
    connect(&dm_.Klient, &Dataset::currentChanged, this, &TKlienciFrm::KlientChange);
    // The count follows every change of the rows (an added contractor too); the names are
    // upper-cased again only when the whole list was read.
    connect(&dm_.Klient, &QAbstractItemModel::modelReset, this, &TKlienciFrm::pokazLiczbe);
    connect(&dm_.Klient, &Dataset::reopened, this, [this] { szukanie_->przygotuj(); });
    powiazany_ = true;
}

void TKlienciFrm::rozwiaz() {
    if (!powiazany_)
        return;
    zapamietajSzerokosci();
    disconnect(&dm_.Klient, nullptr, this, nullptr);
    KlientGrid->setDataset(nullptr);
    KontoGrid->setDataset(nullptr);
    powiazany_ = false;
}

void TKlienciFrm::Przygotuj() {
    if (!powiazany_)
        powiaz();
    SzukajEd->clear();
    KlientChange();
    pokazLiczbe();
    szukanie_->przygotuj();
    // Centred on the desktop, as every opening of the register.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    KlientDopiszBtn->setFocus();
}

void TKlienciFrm::Execute() {
    Przygotuj();
    exec();
}

void TKlienciFrm::done(int r) {
    rozwiaz();
    QDialog::done(r);
}

int TKlienciFrm::biezacyKlient() const {
    const Dataset& k = dm_.Klient;
    if (!k.isOpen() || !k.current())
        return -1;
    return k.field(KLIENTID).toInt();
}

void TKlienciFrm::pokazLiczbe() {
    StatusBar->showMessage(dm_.Klient.isOpen()
                               ? QStringLiteral("Kontrahentów: %1").arg(dm_.Klient.recordCount())
                               : QString());
}

void TKlienciFrm::UpdateKontoKL() {
    dm_.OtworzKontoKL(biezacyKlient());
}

void TKlienciFrm::PokazSaldo() {
    SaldoLbl->setText(kontrahenci::TekstSalda(dm_));
}

void TKlienciFrm::UpdateBtns() {
    const kontrahenci::Przyciski p = kontrahenci::RegulyPrzyciskow(dm_);
    KlientDopiszBtn->setEnabled(p.klientDopisz);
    KlientPoprawBtn->setEnabled(p.klientPopraw);
    KlientUsunBtn->setEnabled(p.klientUsun);
    PolaczBtn->setEnabled(p.polacz);
    KontoDopiszBtn->setEnabled(p.kontoDopisz);
    KontoPoprawBtn->setEnabled(p.kontoPopraw);
    KontoUsunBtn->setEnabled(p.kontoUsun);
    PobierzBtn->setEnabled(p.pobierz);
    SzczegolyBtn->setEnabled(p.szczegoly);
    // Searching needs an open list, like every button but "Dopisz".
    SzukajBtn->setEnabled(p.klientDopisz);
}

void TKlienciFrm::KlientChange() {
    UpdateKontoKL();
    PokazSaldo();
    UpdateBtns();
}

void TKlienciFrm::SzukajBtnClick() {
    if (!zewnetrzne_.szukajKlienta)
        return;
    // The list starts filtered by what is typed beside the button.
    const int id = zewnetrzne_.szukajKlienta(SzukajEd->text());
    if (id > 0)
        dm_.Klient.locate(KLIENTID, id);
}

void TKlienciFrm::KlientDopiszBtnClick() {
    klientFrm_.Wstaw();
    UpdateBtns();
}

void TKlienciFrm::KlientPoprawBtnClick() {
    klientFrm_.Popraw();
    UpdateBtns();
}

void TKlienciFrm::KlientUsunBtnClick() {
    const int id = biezacyKlient();
    if (id <= 0)
        return;
    // The balance and the ledger rows as they are now: the question names what goes.
    const std::optional<kontrahenci::StanKlienta> stan = kontrahenci::CzytajStanKlienta(dm_, id);
    if (!stan) {
        Uwaga(QStringLiteral("Kontrahenta usunięto już na innym stanowisku."));
        dm_.OtworzKlient();
        UpdateBtns();
        return;
    }
    if (!ZgodaDefNo(kontrahenci::PytanieUsunieciaKlienta(*stan)))
        return;
    if (!ZgodaOst(QStringLiteral(
            "Usunięcie kontrahenta z wykazu kasuje wszystkie jego dane. Kontynuować ?")))
        return;
    const kontrahenci::WynikUsuniecia w = kontrahenci::UsunKlienta(dm_, *stan);
    UpdateBtns();
    if (w.blad)
        Blad(w.komunikat);
    else if (!w.komunikat.isEmpty())
        Uwaga(w.komunikat);
}

void TKlienciFrm::PolaczBtnClick() {
    const int id = biezacyKlient();
    if (id <= 0)
        return;
    if (polaczFrm_.Execute(id) == QDialog::Accepted && polaczFrm_.Scalono) {
        dm_.OtworzKlient();
        dm_.Klient.locate(KLIENTID, id);
    }
    UpdateBtns();
}

void TKlienciFrm::KontoDopiszBtnClick() {
    const int id = biezacyKlient();
    if (id <= 0)
        return;
    kontoFrm_.Wstaw(id);
    kontrahenci::OdswiezKlienta(dm_, id);
    UpdateBtns();
}

void TKlienciFrm::KontoPoprawBtnClick() {
    kontoFrm_.Popraw();
    UpdateBtns();
}

void TKlienciFrm::KontoUsunBtnClick() {
    const Dataset& konta = dm_.KontoKL;
    if (!konta.current())
        return;
    const QString tekst =
        kontrahenci::TekstKonta(konta.field(QStringLiteral("KR_KONTO")).toString(),
                                konta.field(QStringLiteral("NR_KONTO")).toString());
    if (!ZgodaDefNo(QStringLiteral("Usunąć rachunek bankowy ") + tekst +
                    QStringLiteral(" z wykazu?")))
        return;
    const int id = biezacyKlient();
    try {
        kontrahenci::UsunKonto(dm_, id);
    } catch (...) {
        UpdateBtns();
        throw;
    }
    UpdateBtns();
}

void TKlienciFrm::PobierzNumeryKont() {
    const int id = biezacyKlient();
    if (id <= 0)
        return;
    if (zewnetrzne_.pobierzKonta)
        zewnetrzne_.pobierzKonta(dm_.Klient.field(QStringLiteral("NR_NIP")).toString());
    UpdateKontoKL();
    kontrahenci::OdswiezKlienta(dm_, id);
    UpdateBtns();
}

void TKlienciFrm::SzczegolyBtnClick() {
    const int id = biezacyKlient();
    if (id > 0)
        szczegolyFrm_.Execute(id);
}
