#include "frmRozliczenia.h"

#include "DataGrid.h"
#include "FiltrOkresu.h"
#include "PanelWyboru.h"
#include "PoleSzukania.h"
#include "RozrachunkiPanel.h"
#include "TytulOkna.h"
#include "WaitCursor.h"
#include "fdm.h"
#include "frmPrzeksiegowanie.h"
#include "frmSzukajKlienta.h"
#include "frmTrans.h"
#include "komun.h"

#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
constexpr Qt::Alignment Prawo = Qt::AlignRight | Qt::AlignVCenter;

QLabel* pogrubiona(const QString& tekst, QWidget* parent) {
    auto* l = new QLabel(tekst, parent);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

DatasetColumn kolumna(const QString& pole, const QString& tytul,
                      std::function<QString(const db::Value&)> format = {},
                      Qt::Alignment wyrownanie = Qt::AlignLeft | Qt::AlignVCenter) {
    DatasetColumn c;
    c.field = pole;
    c.title = tytul;
    c.format = std::move(format);
    c.alignment = wyrownanie;
    return c;
}

// A whole-register tab: "Drukuj" (and the given button beside it) above its list, the list's
// total below it.
QWidget* zakladkaListy(QPushButton*& drukuj, DataGrid*& grid, QLabel*& suma, Dataset& lista,
                       QWidget* parent, QPushButton* obok = nullptr) {
    auto* tab = new QWidget(parent);
    drukuj = new QPushButton(QStringLiteral("&Drukuj"), tab);
    grid = new DataGrid(tab);
    grid->setDataset(&lista);
    grid->horizontalHeader()->setStretchLastSection(false);
    grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    grid->setColumnWidth(1, 136);
    suma = pogrubiona(QString(), tab);
    suma->setFrameShape(QFrame::StyledPanel);
    auto* gora = new QHBoxLayout;
    gora->addWidget(drukuj);
    if (obok)
        gora->addWidget(obok);
    gora->addStretch();
    auto* layout = new QVBoxLayout(tab);
    layout->addLayout(gora);
    layout->addWidget(grid, 1);
    layout->addWidget(suma);
    return tab;
}

} // namespace

TRozliczeniaFrm::TRozliczeniaFrm(Tdm& dm, TTransFrm& transFrm,
                                 TPrzeksiegowanieFrm& przeksiegowanieFrm,
                                 TSzukajKlientaFrm& szukajFrm, QWidget* parent)
    : QDialog(parent), dm_(dm), transFrm_(transFrm), przeksiegowanieFrm_(przeksiegowanieFrm),
      szukajFrm_(szukajFrm) {
    setObjectName(QStringLiteral("RozliczeniaFrm"));
    setWindowTitle(QStringLiteral("Rozliczenia"));
    setMinimumSize(750, 500);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);

    dm_.Dluznicy.setColumns(
        {kolumna(QStringLiteral("NAZWA"), QStringLiteral("Kontrahent")),
         kolumna(QStringLiteral("SALDO"), QStringLiteral("Należność"), {}, Prawo)});
    dm_.Nadplaty.setColumns(
        {kolumna(QStringLiteral("NAZWA"), QStringLiteral("Kontrahent")),
         kolumna(QStringLiteral("SALDO"), QStringLiteral("Nadpłata"), {}, Prawo)});
    dm_.Salda.setColumns(
        {kolumna(QStringLiteral("NAZWA"), QStringLiteral("Kontrahent")),
         kolumna(QStringLiteral("SALDO"), QStringLiteral("Należność"), {}, Prawo)});

    // "Rozliczenia"
    RozliczeniaTab = new QWidget(this);
    NazwaLbl = pogrubiona(QString(), RozliczeniaTab);
    NazwaLbl->setObjectName(QStringLiteral("NazwaLbl"));
    NazwaLbl->setTextInteractionFlags(Qt::TextSelectableByMouse);
    DopiszBtn = new QPushButton(QStringLiteral("&Dopisz"), RozliczeniaTab);
    PoprawBtn = new QPushButton(QStringLiteral("&Popraw"), RozliczeniaTab);
    UsunBtn = new QPushButton(QStringLiteral("&Usuń"), RozliczeniaTab);
    PrzeksiegujBtn = new QPushButton(QStringLiteral("Prze&księguj"), RozliczeniaTab);
    DrukujBtn = new QPushButton(QStringLiteral("Druku&j"), RozliczeniaTab);
    WindykacjaBtn = new QPushButton(QStringLiteral("&Windykacja"), RozliczeniaTab);
    {
        auto* menu = new QMenu(WindykacjaBtn);
        auto dla = [this](std::function<bool(int, const QString&)> DrukiRozliczen::*co) {
            return [this, co] {
                const int klientId = BiezacyKlientId(dm_);
                if (klientId <= 0 || !(druki_.*co))
                    return;
                if ((druki_.*co)(klientId, dm_.Klient.field(QStringLiteral("NAZWA")).toString())) {
                    RefreshTrans();
                    UpdateSaldo();
                    UpdateRozrachunki();
                }
            };
        };
        menu->addAction(QStringLiteral("&Nota odsetkowa..."), this,
                        dla(&DrukiRozliczen::notaOdsetkowa));
        menu->addAction(QStringLiteral("&Wezwanie do zapłaty..."), this,
                        dla(&DrukiRozliczen::wezwanie));
        menu->addAction(QStringLiteral("&Potwierdzenie salda..."), this,
                        dla(&DrukiRozliczen::potwierdzenie));
        WindykacjaBtn->setMenu(menu);
    }
    auto* przyciski = new QHBoxLayout;
    for (QPushButton* b : {DopiszBtn, PoprawBtn, UsunBtn, PrzeksiegujBtn, DrukujBtn, WindykacjaBtn})
        przyciski->addWidget(b);
    przyciski->addStretch();

    Okres = new FiltrOkresu(RozliczeniaTab);
    TransGrid = new DataGrid(RozliczeniaTab);
    TransGrid->setObjectName(QStringLiteral("RozliczeniaTransGrid"));
    TransGrid->setDataset(&dm_.TransKL);
    TransGrid->horizontalHeader()->setStretchLastSection(true);
    SaldoLbl = pogrubiona(QStringLiteral(" Podsumowanie"), RozliczeniaTab);
    SaldoLbl->setFrameShape(QFrame::StyledPanel);
    KlientGrid = new DataGrid(RozliczeniaTab);
    KlientGrid->setObjectName(QStringLiteral("RozliczeniaKlientGrid"));
    KlientGrid->setDataset(&dm_.Klient);
    KlientGrid->horizontalHeader()->setStretchLastSection(true);

    auto* gornaCzesc = new QWidget(RozliczeniaTab);
    auto* gornyLayout = new QVBoxLayout(gornaCzesc);
    gornyLayout->setContentsMargins(0, 0, 0, 0);
    gornyLayout->addWidget(NazwaLbl);
    gornyLayout->addLayout(przyciski);
    gornyLayout->addWidget(Okres);
    gornyLayout->addWidget(TransGrid, 1);
    gornyLayout->addWidget(SaldoLbl);
    auto* podzial = new QSplitter(Qt::Vertical, RozliczeniaTab);
    podzial->addWidget(gornaCzesc);
    podzial->addWidget(KlientGrid);
    podzial->setStretchFactor(0, 3);
    podzial->setStretchFactor(1, 2);
    podzial->setChildrenCollapsible(false);

    SzukajBtn = new QPushButton(QStringLiteral("&Szukaj"), RozliczeniaTab);
    szukanie_ = new TPoleSzukania(dm_.Klient, dm_.conn, RozliczeniaTab);
    SzukajEd = szukanie_->SzukajEd;
    SzukajEd->setPlaceholderText(QStringLiteral("Nazwa, NIP lub numer rachunku kontrahenta"));
    SzukajNotkaLbl = szukanie_->NotkaLbl;
    auto* szukajLbl = new QLabel(QStringLiteral("Kontra&hent:"), RozliczeniaTab);
    szukajLbl->setBuddy(SzukajEd);
    ZamknijBtn = new QPushButton(QStringLiteral("&Zamknij"), RozliczeniaTab);
    auto* dol = new QHBoxLayout;
    dol->addWidget(SzukajBtn);
    dol->addWidget(szukajLbl);
    dol->addWidget(SzukajEd, 1);
    dol->addWidget(SzukajNotkaLbl);
    dol->addSpacing(24);
    dol->addWidget(ZamknijBtn);

    auto* rozliczenia = new QVBoxLayout(RozliczeniaTab);
    rozliczenia->addWidget(podzial, 1);
    rozliczenia->addLayout(dol);

    // One contractor's open items
    RozrachunkiTab = new TRozrachunkiPanel(dm_.conn, this);

    // The three whole-register lists
    WiekowanieBtn = new QPushButton(QStringLiteral("&Wiekowanie..."), this);
    WiekowanieBtn->setToolTip(
        QStringLiteral("Należności na wybrany dzień według dni po terminie płatności"));
    NaleznosciTab = zakladkaListy(DrukujNaleznosciBtn, NaleznosciGrid, NaleznosciLbl, dm_.Dluznicy,
                                  this, WiekowanieBtn);
    NaleznosciGrid->setObjectName(QStringLiteral("NaleznosciGrid"));
    NadplatyTab = zakladkaListy(DrukujNadplatyBtn, NadplatyGrid, NadplatyLbl, dm_.Nadplaty, this);
    NadplatyGrid->setObjectName(QStringLiteral("NadplatyGrid"));
    ZestawienieTab =
        zakladkaListy(DrukujZestawienieBtn, ZestawienieGrid, ZestawienieLbl, dm_.Salda, this);
    ZestawienieGrid->setObjectName(QStringLiteral("ZestawienieGrid"));

    Zakladki = new QTabWidget(this);
    Zakladki->addTab(RozliczeniaTab, QStringLiteral("Rozliczenia"));
    Zakladki->addTab(RozrachunkiTab, QStringLiteral("Rozrachunki"));
    Zakladki->addTab(NaleznosciTab, QStringLiteral("Należności"));
    Zakladki->addTab(NadplatyTab, QStringLiteral("Nadpłaty"));
    Zakladki->addTab(ZestawienieTab, QStringLiteral("Zestawienie"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Zakladki);
    resize(900, 640);

    connect(DopiszBtn, &QPushButton::clicked, this, &TRozliczeniaFrm::DopiszBtnClick);
    connect(PoprawBtn, &QPushButton::clicked, this, &TRozliczeniaFrm::PoprawBtnClick);
    connect(UsunBtn, &QPushButton::clicked, this, &TRozliczeniaFrm::UsunBtnClick);
    connect(PrzeksiegujBtn, &QPushButton::clicked, this, &TRozliczeniaFrm::PrzeksiegujBtnClick);
    connect(DrukujBtn, &QPushButton::clicked, this, &TRozliczeniaFrm::DrukujBtnClick);
    connect(SzukajBtn, &QPushButton::clicked, this, &TRozliczeniaFrm::SzukajBtnClick);
    connect(ZamknijBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(DrukujNaleznosciBtn, &QPushButton::clicked, this, [this] {
        if (druki_.naleznosci)
            druki_.naleznosci();
    });
    connect(DrukujNadplatyBtn, &QPushButton::clicked, this, [this] {
        if (druki_.nadplaty)
            druki_.nadplaty();
    });
    connect(DrukujZestawienieBtn, &QPushButton::clicked, this, [this] {
        if (druki_.zestawienie)
            druki_.zestawienie();
    });
    // A double click (or Enter) on a register-wide list opens that contractor's ledger.
    connect(NaleznosciGrid, &DataGrid::activated, this, [this] { PokazKsiege(dm_.Dluznicy); });
    connect(NadplatyGrid, &DataGrid::activated, this, [this] { PokazKsiege(dm_.Nadplaty); });
    connect(ZestawienieGrid, &DataGrid::activated, this, [this] { PokazKsiege(dm_.Salda); });
    connect(WiekowanieBtn, &QPushButton::clicked, this, [this] {
        if (druki_.wiekowanie)
            druki_.wiekowanie();
    });
    connect(Zakladki, &QTabWidget::currentChanged, this, &TRozliczeniaFrm::ZakladkaZmieniona);
    // The ledger of the contractor chosen in the list is above it: Enter goes there.
    connect(KlientGrid, &DataGrid::activated, TransGrid, [this] { TransGrid->setFocus(); });
    connect(TransGrid, &DataGrid::activated, this, [this] {
        if (PoprawBtn->isEnabled())
            PoprawBtnClick();
    });
    connect(&dm_.Klient, &Dataset::currentChanged, this, &TRozliczeniaFrm::klientZmieniony);
    connect(&dm_.TransKL, &Dataset::currentChanged, this, &TRozliczeniaFrm::UpdateBtns);
    UpdateBtns();
}

void TRozliczeniaFrm::ustawKolumny() {
    // The contractor and transaction lists are shared with other windows: this one shows its
    // own columns while open and gives theirs back when it closes.
    kolumnyKlient_ = dm_.Klient.displayColumns();
    kolumnyTrans_ = dm_.TransKL.displayColumns();
    dm_.Klient.setColumns({kolumna(QStringLiteral("NAZWA"), QStringLiteral("Kontrahent"))});
    dm_.TransKL.setColumns(KolumnyKsiegi());
    for (int i : {0, 1, 2, 3})
        TransGrid->setColumnWidth(i, i == 0 ? 90 : 120);
    for (DataGrid* g : {NaleznosciGrid, NadplatyGrid, ZestawienieGrid})
        g->setColumnWidth(1, 136);
    Okres->podlacz(&dm_.TransKL, QStringLiteral("DATA_TR"));
}

void TRozliczeniaFrm::Przygotuj() {
    if (!otwarte_) {
        ustawKolumny();
        otwarte_ = true;
    }
    UpdateTrans();
    UpdateSaldo();
    UpdateBtns();
    Zakladki->setCurrentWidget(RozliczeniaTab);
    szukanie_->przygotuj();
}

void TRozliczeniaFrm::Execute() {
    Przygotuj();
    // Centred on the screen each time it is opened.
    if (const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - rect().center());
    exec();
}

void TRozliczeniaFrm::done(int r) {
    QDialog::done(r);
    if (otwarte_) {
        Okres->odlacz();
        dm_.Klient.setColumns(kolumnyKlient_);
        dm_.TransKL.setColumns(kolumnyTrans_);
        otwarte_ = false;
    }
}

void TRozliczeniaFrm::klientZmieniony() {
    if (!isVisible() && !otwarte_)
        return; // the list moves under another window: this one catches up when opened
    UpdateTrans();
    UpdateSaldo();
    UpdateBtns();
    if (Zakladki->currentWidget() == RozrachunkiTab)
        UpdateRozrachunki();
}

void TRozliczeniaFrm::UpdateRozrachunki() {
    RozrachunkiTab->Pokaz(BiezacyKlientId(dm_),
                          dm_.Klient.field(QStringLiteral("NAZWA")).toString());
}

void TRozliczeniaFrm::UpdateTrans() {
    ::UpdateTrans(dm_);
    const QString nazwa = dm_.Klient.field(QStringLiteral("NAZWA")).toString();
    NazwaLbl->setText(nazwa);
    setWindowTitle(TytulOkna(QStringLiteral("Rozliczenia"), nazwa));
}

void TRozliczeniaFrm::UpdateSaldo() {
    SaldoLbl->setText(LiniaSaldaBiezacego(dm_));
}

void TRozliczeniaFrm::UpdateBtns() {
    const PrzyciskiRozliczen p = ::UpdateBtns(dm_.Klient, dm_.TransKL);
    DopiszBtn->setEnabled(p.dopisz);
    PoprawBtn->setEnabled(p.popraw);
    UsunBtn->setEnabled(p.usun);
    DrukujBtn->setEnabled(p.drukuj);
    PrzeksiegujBtn->setEnabled(p.przeksieguj);
    WindykacjaBtn->setEnabled(p.dopisz); // a contractor is chosen
}

void TRozliczeniaFrm::RefreshTrans() {
    ::RefreshTrans(dm_);
}

void TRozliczeniaFrm::PokazZadluzenie() {
    ZestawienieLbl->setText(LiniaZestawienia(SumaSald(dm_.Salda)));
    dm_.Salda.first();
}

void TRozliczeniaFrm::PokazKsiege(const Dataset& lista) {
    if (!lista.current())
        return;
    if (dm_.Klient.locate(QStringLiteral("NAZWA"), lista.field(QStringLiteral("NAZWA"))))
        Zakladki->setCurrentWidget(RozliczeniaTab);
}

void TRozliczeniaFrm::DopiszBtnClick() {
    transFrm_.Insert(BiezacyKlientId(dm_));
    RefreshTrans();
    UpdateSaldo();
}

void TRozliczeniaFrm::PoprawBtnClick() {
    transFrm_.Edit();
    RefreshTrans();
    UpdateSaldo();
}

void TRozliczeniaFrm::UsunBtnClick() {
    if (!ZgodaDefNo(QStringLiteral("Usunąć transakcję z wykazu?")))
        return;
    UsunTransakcje(dm_);
    RefreshTrans();
    UpdateSaldo();
}

void TRozliczeniaFrm::PrzeksiegujBtnClick() {
    if (przeksiegowanieFrm_.Execute() != QDialog::Accepted)
        return;
    UpdateTrans();
    UpdateSaldo();
    UpdateBtns();
}

void TRozliczeniaFrm::DrukujBtnClick() {
    if (druki_.dowodWplaty && dm_.TransKL.current())
        druki_.dowodWplaty(dm_.TransKL.field(QStringLiteral("WPISID")).toInt());
}

void TRozliczeniaFrm::SzukajBtnClick() {
    // The list starts filtered by what is typed beside the button.
    if (szukajFrm_.Execute(SzukajEd->text()) != QDialog::Accepted || szukajFrm_.FKlientId <= 0)
        return;
    dm_.Klient.locate(QStringLiteral("KLIENTID"), szukajFrm_.FKlientId);
}

void TRozliczeniaFrm::ZakladkaZmieniona(int index) {
    QWidget* tab = Zakladki->widget(index);
    if (tab == RozrachunkiTab) {
        UpdateRozrachunki();
    } else if (tab == ZestawienieTab) {
        WaitCursor wait;
        dm_.OtworzSalda();
        PokazZadluzenie();
        DrukujZestawienieBtn->setEnabled(dm_.Salda.isOpen() && !dm_.Salda.isEmpty());
    } else if (tab == NaleznosciTab) {
        WaitCursor wait;
        dm_.OtworzDluznicy();
        DrukujNaleznosciBtn->setEnabled(dm_.Dluznicy.isOpen() && !dm_.Dluznicy.isEmpty());
        NaleznosciLbl->setText(LiniaSumyListy(SumaSald(dm_.Dluznicy)));
    } else if (tab == NadplatyTab) {
        WaitCursor wait;
        dm_.OtworzNadplaty();
        DrukujNadplatyBtn->setEnabled(dm_.Nadplaty.isOpen() && !dm_.Nadplaty.isEmpty());
        NadplatyLbl->setText(LiniaSumyListy(SumaSald(dm_.Nadplaty)));
    }
}
