#include "frmRozliczenia.h"

#include "DataGrid.h"
#include "PoleSzukania.h"
#include "RozrachunkiPanel.h"
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

QString kwotaSiatki(const db::Value& v) {
    return v.isNull() ? QString() : v.toMoney().format(QLocale());
}

QString kwotaListy(const db::Value& v) {
    return v.isNull() ? QString() : FormatListy(v.toMoney());
}

QString dataKrotka(const db::Value& v) {
    return v.isNull() ? QString() : QLocale().toString(v.toDate().qdate(), QLocale::ShortFormat);
}

// A tab with a "Drukuj" button (and the given one beside it) above its list.
QWidget* zakladkaListy(QPushButton*& drukuj, DataGrid*& grid, Dataset& lista, QWidget* parent,
                       QPushButton* obok = nullptr) {
    auto* tab = new QWidget(parent);
    drukuj = new QPushButton(QStringLiteral("Drukuj"), tab);
    grid = new DataGrid(tab);
    grid->setDataset(&lista);
    grid->setColumnWidth(0, 568);
    grid->setColumnWidth(1, 128);
    auto* gora = new QHBoxLayout;
    gora->addWidget(drukuj);
    if (obok)
        gora->addWidget(obok);
    gora->addStretch();
    auto* layout = new QVBoxLayout(tab);
    layout->addLayout(gora);
    layout->addWidget(grid, 1);
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
         kolumna(QStringLiteral("SALDO"), QStringLiteral("Należność"), kwotaListy, Prawo)});
    dm_.Nadplaty.setColumns(
        {kolumna(QStringLiteral("NAZWA"), QStringLiteral("Kontrahent")),
         kolumna(QStringLiteral("SALDO"), QStringLiteral("Nadpłata"), kwotaListy, Prawo)});
    dm_.Salda.setColumns(
        {kolumna(QStringLiteral("NAZWA"), QStringLiteral("Kontrahent")),
         kolumna(QStringLiteral("SALDO"), QStringLiteral("Należność"), kwotaSiatki, Prawo)});

    // "Rozliczenia"
    RozliczeniaTab = new QWidget(this);
    NazwaLbl = pogrubiona(QString(), RozliczeniaTab);
    NazwaLbl->setTextInteractionFlags(Qt::TextSelectableByMouse);
    DopiszBtn = new QPushButton(QStringLiteral("&Dopisz"), RozliczeniaTab);
    PoprawBtn = new QPushButton(QStringLiteral("&Popraw"), RozliczeniaTab);
    UsunBtn = new QPushButton(QStringLiteral("&Usuń"), RozliczeniaTab);
    PrzeksiegujBtn = new QPushButton(QStringLiteral("Prze&księguj"), RozliczeniaTab);
    DrukujBtn = new QPushButton(QStringLiteral("Druku&j"), RozliczeniaTab);
    WindykacjaBtn = new QPushButton(QStringLiteral("Wi&ndykacja"), RozliczeniaTab);
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

    TransGrid = new DataGrid(RozliczeniaTab);
    TransGrid->setDataset(&dm_.TransKL);
    SaldoLbl = pogrubiona(QStringLiteral(" Podsumowanie"), RozliczeniaTab);
    SaldoLbl->setFrameShape(QFrame::StyledPanel);
    KlientGrid = new DataGrid(RozliczeniaTab);
    KlientGrid->setDataset(&dm_.Klient);

    auto* gornaCzesc = new QWidget(RozliczeniaTab);
    auto* gornyLayout = new QVBoxLayout(gornaCzesc);
    gornyLayout->setContentsMargins(0, 0, 0, 0);
    gornyLayout->addWidget(NazwaLbl);
    gornyLayout->addLayout(przyciski);
    gornyLayout->addWidget(TransGrid, 1);
    gornyLayout->addWidget(SaldoLbl);
    auto* podzial = new QSplitter(Qt::Vertical, RozliczeniaTab);
    podzial->addWidget(gornaCzesc);
    podzial->addWidget(KlientGrid);
    podzial->setStretchFactor(0, 3);
    podzial->setStretchFactor(1, 2);
    podzial->setChildrenCollapsible(false);

    SzukajBtn = new QPushButton(QStringLiteral("Szukaj"), RozliczeniaTab);
    szukanie_ = new TPoleSzukania(dm_.Klient, dm_.conn, RozliczeniaTab);
    SzukajEd = szukanie_->SzukajEd;
    SzukajEd->setPlaceholderText(QStringLiteral("Nazwa, NIP lub numer rachunku kontrahenta"));
    SzukajNotkaLbl = szukanie_->NotkaLbl;
    ZamknijBtn = new QPushButton(QStringLiteral("Zamknij"), RozliczeniaTab);
    auto* dol = new QHBoxLayout;
    dol->addWidget(SzukajBtn);
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
    NaleznosciTab =
        zakladkaListy(DrukujNaleznosciBtn, NaleznosciGrid, dm_.Dluznicy, this, WiekowanieBtn);
    NadplatyTab = zakladkaListy(DrukujNadplatyBtn, NadplatyGrid, dm_.Nadplaty, this);
    ZestawienieTab = new QWidget(this);
    ZestawienieGrid = new DataGrid(ZestawienieTab);
    ZestawienieGrid->setDataset(&dm_.Salda);
    ZestawienieLbl = pogrubiona(QString(), ZestawienieTab);
    ZestawienieLbl->setFrameShape(QFrame::StyledPanel);
    auto* zestawienie = new QVBoxLayout(ZestawienieTab);
    zestawienie->addWidget(ZestawienieGrid, 1);
    zestawienie->addWidget(ZestawienieLbl);

    Zakladki = new QTabWidget(this);
    Zakladki->addTab(RozliczeniaTab, QStringLiteral("Rozliczenia"));
    Zakladki->addTab(RozrachunkiTab, QStringLiteral("Rozrachunki"));
    Zakladki->addTab(NaleznosciTab, QStringLiteral("Należności"));
    Zakladki->addTab(NadplatyTab, QStringLiteral("Nadpłaty"));
    Zakladki->addTab(ZestawienieTab, QStringLiteral("Zestawienie"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Zakladki);
    resize(900, 640);

    // Column widths follow the grids' own sizes, whatever resized them.
    for (DataGrid* g : {TransGrid, KlientGrid, ZestawienieGrid})
        g->installEventFilter(this);

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
    connect(WiekowanieBtn, &QPushButton::clicked, this, [this] {
        if (druki_.wiekowanie)
            druki_.wiekowanie();
    });
    connect(Zakladki, &QTabWidget::currentChanged, this, &TRozliczeniaFrm::ZakladkaZmieniona);
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
    dm_.TransKL.setColumns(
        {kolumna(QStringLiteral("DATA_TR"), QStringLiteral("Data"), dataKrotka),
         kolumna(QStringLiteral("DOZAPLATY"), QStringLiteral("Należność"), kwotaSiatki, Prawo),
         kolumna(QStringLiteral("ZAPLACONO"), QStringLiteral("Wpłata"), kwotaSiatki, Prawo),
         kolumna(QStringLiteral("OPIS_TR"), QStringLiteral("Opis transakcji"))});
    TransGrid->setColumnWidth(0, 90);
    TransGrid->setColumnWidth(1, 110);
    TransGrid->setColumnWidth(2, 110);
    ZestawienieGrid->setColumnWidth(1, 136);
    NaleznosciGrid->setColumnWidth(0, 568);
    NaleznosciGrid->setColumnWidth(1, 128);
    NadplatyGrid->setColumnWidth(0, 568);
    NadplatyGrid->setColumnWidth(1, 128);
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
    ustawSzerokosci();
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
    NazwaLbl->setText(dm_.Klient.field(QStringLiteral("NAZWA")).toString());
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
    } else if (tab == NaleznosciTab) {
        WaitCursor wait;
        dm_.OtworzDluznicy();
        DrukujNaleznosciBtn->setEnabled(dm_.Dluznicy.isOpen() && !dm_.Dluznicy.isEmpty());
    } else if (tab == NadplatyTab) {
        WaitCursor wait;
        dm_.OtworzNadplaty();
        DrukujNadplatyBtn->setEnabled(dm_.Nadplaty.isOpen() && !dm_.Nadplaty.isEmpty());
    }
    ustawSzerokosci();
}

void TRozliczeniaFrm::ustawSzerokosci() {
    KlientGrid->setColumnWidth(0, std::max(100, KlientGrid->width() - 34));
    const int inne =
        TransGrid->columnWidth(0) + TransGrid->columnWidth(1) + TransGrid->columnWidth(2);
    TransGrid->setColumnWidth(3, std::max(100, TransGrid->width() - inne - 34));
    ZestawienieGrid->setColumnWidth(1, 136);
    ZestawienieGrid->setColumnWidth(0, std::max(100, ZestawienieGrid->width() - 136 - 34));
}

bool TRozliczeniaFrm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize)
        ustawSzerokosci();
    return QDialog::eventFilter(watched, event);
}
