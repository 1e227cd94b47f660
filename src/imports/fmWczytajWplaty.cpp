#include "fmWczytajWplaty.h"

#include "Banki.h"
#include "BlokadaKsiegowania.h"
#include "Globals.h"
#include "HistoriaImportow.h"
#include "KsiegowanieWplat.h"
#include "PostepOkna.h"
#include "StringFun.h"
#include "WaitCursor.h"
#include "WczytajWyciag.h"
#include "fdm.h"
#include "fks.h"
#include "komun.h"

#include <QButtonGroup>
#include <QColor>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
QString dataTekst(const Date& d) {
    return d.qdate().toString(QStringLiteral("dd-MM-yyyy"));
}
} // namespace

// ---- the list

void WyciagTblModel::setRows(std::vector<Wiersz> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

int WyciagTblModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int WyciagTblModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 5;
}

QVariant WyciagTblModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const Wiersz& w = rows_[static_cast<size_t>(index.row())];
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case 0:
            return dataTekst(w.Data);
        case 1:
            return w.Kwota.format(QLocale());
        case 2:
            return w.Waluta;
        case 3:
            return w.Nazwa;
        default:
            return w.Opis;
        }
    }
    if (role == Qt::ForegroundRole && !w.DoKsiegowania)
        return QColor(Qt::gray);
    if (role == Qt::TextAlignmentRole && index.column() == 1)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant WyciagTblModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return {};
    static const char* const titles[] = {"Data", "Kwota", "Waluta", "Kontrahent", "Opis"};
    return section >= 0 && section < 5 ? QString::fromUtf8(titles[section]) : QString();
}

// ---- the window

TfrmWczytajWplaty::TfrmWczytajWplaty(Tks& ks, QWidget* parent) : QDialog(parent), ks_(ks) {
    setObjectName(QStringLiteral("frmWczytajWplaty"));
    setWindowTitle(QStringLiteral("Wczytywanie wpłat"));
    setMinimumSize(700, 500);
    resize(820, 600);
    buildUi();
}

TfrmWczytajWplaty::~TfrmWczytajWplaty() = default;

void TfrmWczytajWplaty::buildUi() {
    // File, encoding and the list button.
    auto* lbPlik = new QLabel(QStringLiteral("Nazwa pliku wyciągu bankowego - plik MT-940"));
    edPlik = new QLineEdit;
    lbPlik->setBuddy(edPlik);
    auto* btnPrzegladaj = new QToolButton;
    btnPrzegladaj->setText(QStringLiteral("..."));
    btnPrzegladaj->setToolTip(QStringLiteral("Przeglądanie"));
    connect(btnPrzegladaj, &QToolButton::clicked, this, &TfrmWczytajWplaty::przegladaj);
    btnWczytaj = new QPushButton(QStringLiteral("&Utwórz listę"));
    connect(btnWczytaj, &QPushButton::clicked, this, [this] {
        try {
            WczytajBtnClick();
        } catch (const std::exception& e) {
            Blad(QString::fromUtf8(e.what()));
        }
    });

    kodowanie_ = new QButtonGroup(this);
    kodowanie_->setExclusive(true);
    auto* kodowania = new QHBoxLayout;
    kodowania->setSpacing(2);
    // "Wykryj" first: the reader tells the encoding unless the user chooses one.
    const std::pair<TKodowanie, const char*> kody[] = {{TKodowanie::kdWykryj, "Wykryj"},
                                                       {TKodowanie::kdUTF_8, "UTF-8"},
                                                       {TKodowanie::kdWin_1250, "Windows-1250"},
                                                       {TKodowanie::kdISO_8859_2, "ISO-8859-2"},
                                                       {TKodowanie::kdCP_852, "CP-852"}};
    for (const auto& [kod, nazwa] : kody) {
        auto* b = new QToolButton;
        b->setText(QString::fromLatin1(nazwa));
        b->setCheckable(true);
        b->setMinimumWidth(96);
        kodowanie_->addButton(b, static_cast<int>(kod));
        kodowania->addWidget(b);
    }
    kodowania->addStretch();
    // The list was read in the encoding chosen then: it is not what the new choice would
    // book, so it goes until it is made again.
    connect(kodowanie_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            zmianaZrodla();
    });

    // Another file typed or picked: the list of the one before is no longer what "Księguj"
    // would book.
    connect(edPlik, &QLineEdit::textChanged, this, &TfrmWczytajWplaty::zmianaZrodla);

    auto* plikRow = new QHBoxLayout;
    plikRow->addWidget(edPlik, 1);
    plikRow->addWidget(btnPrzegladaj);
    plikRow->addSpacing(8);
    plikRow->addWidget(btnWczytaj);
    auto* top = new QVBoxLayout;
    top->addWidget(lbPlik);
    top->addLayout(plikRow);
    top->addLayout(kodowania);
    lbOpisPliku = new QLabel;
    lbOpisPliku->setObjectName(QStringLiteral("lbOpisPliku"));
    lbOpisPliku->setWordWrap(true);
    lbOpisPliku->setTextInteractionFlags(Qt::TextSelectableByMouse);
    top->addWidget(lbOpisPliku);

    // Details of the current row and the two report panes.
    tabs = new QTabWidget;
    tabSzczegoly = new QWidget;
    auto* form = new QFormLayout(tabSzczegoly);
    auto label = [] {
        auto* l = new QLabel;
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
        l->setWordWrap(true);
        return l;
    };
    lbData = label();
    lbKwota = label();
    lbKonto = label();
    lbBank = label();
    lbKontrahent = label();
    lbOpis = label();
    form->addRow(QStringLiteral("Data:"), lbData);
    form->addRow(QStringLiteral("Kwota:"), lbKwota);
    form->addRow(QStringLiteral("Konto:"), lbKonto);
    form->addRow(QStringLiteral("Bank:"), lbBank);
    form->addRow(QStringLiteral("Kontrahent:"), lbKontrahent);
    form->addRow(QStringLiteral("Opis:"), lbOpis);
    tabRaport = new QWidget;
    memRaport = new QPlainTextEdit;
    memRaport->setReadOnly(true);
    (new QVBoxLayout(tabRaport))->addWidget(memRaport);
    tabNowyKlient = new QWidget;
    memNowyKlient = new QPlainTextEdit;
    memNowyKlient->setReadOnly(true);
    (new QVBoxLayout(tabNowyKlient))->addWidget(memNowyKlient);
    tabPropozycje = new QWidget;
    gridPropozycje = new QTableWidget(0, 5, tabPropozycje);
    gridPropozycje->setHorizontalHeaderLabels({QStringLiteral("Przypisz"),
                                               QStringLiteral("Płatnik z wyciągu"),
                                               QStringLiteral("Rachunek"), QStringLiteral("Kwota"),
                                               QStringLiteral("Kontrahent w rejestrze")});
    gridPropozycje->setSelectionBehavior(QAbstractItemView::SelectRows);
    gridPropozycje->setSelectionMode(QAbstractItemView::SingleSelection);
    gridPropozycje->setEditTriggers(QAbstractItemView::NoEditTriggers);
    gridPropozycje->verticalHeader()->setVisible(false);
    gridPropozycje->horizontalHeader()->setStretchLastSection(true);
    gridPropozycje->setColumnWidth(0, 65);
    gridPropozycje->setColumnWidth(1, 210);
    gridPropozycje->setColumnWidth(2, 250);
    gridPropozycje->setColumnWidth(3, 90);
    auto* btnZmien = new QPushButton(QStringLiteral("&Zmień kontrahenta..."));
    connect(btnZmien, &QPushButton::clicked, this, &TfrmWczytajWplaty::zmienWybranego);
    auto* opisPropozycji = new QLabel(QString::fromUtf8(
        "Rachunków tych płatników nie ma w rejestrze, a ich nazwy są nazwami kontrahentów. "
        "Zaznaczone wpłaty zostaną zaksięgowane na wskazanych kontrahentów (rachunek zostanie "
        "dopisany); niezaznaczone — na nowych kontrahentów."));
    opisPropozycji->setWordWrap(true);
    auto* lp = new QVBoxLayout(tabPropozycje);
    lp->addWidget(opisPropozycji);
    lp->addWidget(gridPropozycje, 1);
    auto* rzadZmien = new QHBoxLayout;
    rzadZmien->addWidget(btnZmien);
    rzadZmien->addStretch();
    lp->addLayout(rzadZmien);
    tabs->addTab(tabSzczegoly, QStringLiteral("Szczegóły transakcji"));
    tabs->addTab(tabPropozycje, QStringLiteral("Propozycje płatników"));
    tabs->addTab(tabRaport, QStringLiteral("Raport"));
    tabs->addTab(tabNowyKlient, QStringLiteral("Niezidentyfikowane należności"));
    historia_ = new HistoriaImportow(ks_.attachment(), cofniecie::Rodzaj::Wyciag);
    tabs->addTab(historia_, QStringLiteral("Historia importów"));
    // Read when looked at: other workstations book meanwhile.
    connect(tabs, &QTabWidget::currentChanged, this, [this] {
        if (tabs->currentWidget() == historia_)
            historia_->odswiez();
    });
    // An undone statement changed the ledger; it may be listed and booked again.
    connect(historia_, &HistoriaImportow::cofnieto, this, [this] { FZaksiegowano = true; });

    // The list.
    WyciagTbl = new WyciagTblModel(this);
    grid = new QTableView;
    grid->setModel(WyciagTbl);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setAlternatingRowColors(true);
    grid->verticalHeader()->setVisible(false);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->setColumnWidth(0, 90);
    grid->setColumnWidth(1, 110);
    grid->setColumnWidth(2, 60);
    grid->setColumnWidth(3, 260);
    connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TfrmWczytajWplaty::pokazSzczegoly);
    connect(WyciagTbl, &QAbstractItemModel::modelReset, this, &TfrmWczytajWplaty::pokazSzczegoly);

    btnKsieguj = new QPushButton(QStringLiteral("&Księguj"));
    connect(btnKsieguj, &QPushButton::clicked, this, [this] {
        try {
            KsiegujBtnClick();
        } catch (const std::exception& e) {
            // The run rolled back: say so, with the engine's reason below.
            Blad(QString::fromUtf8("Księgowanie wpłat nie powiodło się; nic nie zostało "
                                   "zapisane.\r") +
                 QString::fromUtf8(e.what()));
        }
    });
    btnZamknij = new QPushButton(QStringLiteral("&Zamknij"));
    connect(btnZamknij, &QPushButton::clicked, this, &QDialog::accept);
    Gauge = new QProgressBar;
    Gauge->setTextVisible(false);
    Gauge->setVisible(false);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Gauge, 1);
    bottom->addStretch();
    bottom->addWidget(btnKsieguj);
    bottom->addWidget(btnZamknij);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(tabs, 2);
    layout->addWidget(grid, 3);
    layout->addLayout(bottom);
}

void TfrmWczytajWplaty::Reset() {
    FZaksiegowano = false;
    wyczysc();
    setKodowanie(TKodowanie::kdWykryj);
}

// Nothing listed, nothing to book, no report of an earlier run.
void TfrmWczytajWplaty::wyczysc() {
    propozycje_.clear();
    gridPropozycje->setRowCount(0);
    tabs->setTabVisible(tabs->indexOf(tabPropozycje), false);
    tabs->setTabVisible(tabs->indexOf(tabRaport), false);
    tabs->setTabVisible(tabs->indexOf(tabNowyKlient), false);
    tabs->setCurrentWidget(tabSzczegoly);
    btnKsieguj->setEnabled(false);
    memRaport->clear();
    memNowyKlient->clear();
    WyciagTbl->clear();
    Wyciag.clear();
    lbOpisPliku->clear();
}

QString TfrmWczytajWplaty::opisPliku() const {
    return lbOpisPliku->text();
}

void TfrmWczytajWplaty::zmianaZrodla() {
    if (!trwa_ && (!Wyciag.empty() || WyciagTbl->rowCount() > 0 || btnKsieguj->isEnabled()))
        wyczysc();
}

void TfrmWczytajWplaty::reject() {
    if (!trwa_) // closing in the middle of a booking run would leave it half shown
        QDialog::reject();
}

void TfrmWczytajWplaty::Execute() {
    Reset();
    exec();
}

TKodowanie TfrmWczytajWplaty::Kodowanie() const {
    return static_cast<TKodowanie>(std::max(0, kodowanie_->checkedId()));
}

void TfrmWczytajWplaty::setKodowanie(TKodowanie k) {
    kodowanie_->button(static_cast<int>(k))->setChecked(true);
}

void TfrmWczytajWplaty::setNazwaPliku(const QString& name) {
    edPlik->setText(name);
}

bool TfrmWczytajWplaty::ksiegujEnabled() const {
    return btnKsieguj->isEnabled();
}

QStringList TfrmWczytajWplaty::RapOgolny() const {
    return memRaport->toPlainText().isEmpty() ? QStringList()
                                              : memRaport->toPlainText().split(u'\n');
}

QStringList TfrmWczytajWplaty::RapNowyKlient() const {
    return memNowyKlient->toPlainText().isEmpty() ? QStringList()
                                                  : memNowyKlient->toPlainText().split(u'\n');
}

QString TfrmWczytajWplaty::currentTabText() const {
    return tabs->tabText(tabs->currentIndex());
}
void TfrmWczytajWplaty::pokazHistorie() {
    tabs->setCurrentWidget(historia_);
}

bool TfrmWczytajWplaty::raportVisible() const {
    return tabs->isTabVisible(tabs->indexOf(tabRaport));
}
bool TfrmWczytajWplaty::nowyKlientVisible() const {
    return tabs->isTabVisible(tabs->indexOf(tabNowyKlient));
}

void TfrmWczytajWplaty::przegladaj() {
    const QString name = QFileDialog::getOpenFileName(
        this, QStringLiteral("Przeglądanie"), edPlik->text().trimmed(),
        QStringLiteral("Pliki MT-940 (*.mt940x *mt940 *.sta);;Wszystkie pliki (*)"));
    if (!name.isEmpty())
        edPlik->setText(QDir::toNativeSeparators(name));
}

// Every press starts from an empty list with nothing to book, so a file that fails leaves
// nothing of the file listed before.
void TfrmWczytajWplaty::WczytajBtnClick() {
    if (trwa_)
        return;
    wyczysc();
    WynikOtwarcia wynik = [&] {
        WaitCursor wait;
        return OtworzPlikWyciagu(edPlik->text().trimmed(), Kodowanie());
    }();
    plikListy_ = QFileInfo(edPlik->text().trimmed()).absoluteFilePath();
    if (!wynik.ok()) {
        Uwaga(wynik.komunikat());
        return;
    }
    // Names full of U+FFFD would be booked as such: the user chooses the right encoding.
    if (wynik.nieUtf8()) {
        Uwaga(PodpowiedzKodowania());
        return;
    }
    QStringList opis{QString::fromUtf8("Kodowanie: ") + wynik.opisKodowania()};
    for (const auto& w : wynik.wyciagi()) {
        QString linia = QString::fromUtf8("Wyciąg nr %1 · rachunek %2 · waluta %3 · układ %4")
                            .arg(w->GetNrWyciagu(), FormatKonto(w->GetKontoWL()), w->Waluta(),
                                 w->NazwaUkladu());
        if (!KsiegowanieWplat::WZlotych(*w))
            linia += QString::fromUtf8(" · nie będzie księgowany (księgi są w złotych)");
        opis << linia;
    }
    lbOpisPliku->setText(opis.join(u'\n'));
    // Checked here to tell the user; the booking run checks again in its transaction.
    QStringList wczesniej;
    for (const auto& w : wynik.wyciagi()) {
        if (dm->JestWyciag(w->LiniaSaldoPocz(), w->GetKontoWL()))
            wczesniej << QStringLiteral("nr ") + w->GetNrWyciagu() + QStringLiteral(" (") +
                             w->LiniaSaldoPocz() + u')';
        else
            Wyciag.push_back(w);
    }
    if (Wyciag.empty()) {
        Uwaga(QStringLiteral("Dane z tego wyciągu bankowego zostały już wczytane."));
        return;
    }
    if (!wczesniej.isEmpty())
        Info(QString::fromUtf8("Dane z tych wyciągów pliku zostały już wczytane i będą "
                               "pominięte:\r") +
             wczesniej.join(QStringLiteral("\r")));
    listuj();
}

void TfrmWczytajWplaty::listuj() {
    std::vector<WyciagTblModel::Wiersz> rows;
    QStringList obce;
    bool doKsiegowania = false;
    for (const auto& wyciag : Wyciag) {
        const IWyciag& w = *wyciag;
        const bool wZlotych = KsiegowanieWplat::WZlotych(w);
        for (int i = w.MinIndex(); i <= w.MaxIndex(); ++i) {
            if (!KsiegowanieWplat::DoKsiegowania(w, i))
                continue;
            // A credit taken back shows as the negative payment it books.
            const Money kwota = w.GetZnakTR(i) == ZnakTR::RC ? -w.GetKwotaTR(i) : w.GetKwotaTR(i);
            rows.push_back({w.GetDataTR(i), kwota, FormatKonto(w.GetKontoKL(i)).left(34),
                            w.GetNazwaKL(i).left(80), w.GetOpisTR(i).left(80),
                            NazwaBanku(w.GetKontoKL(i)).left(100), w.Waluta(), wZlotych});
            doKsiegowania = doKsiegowania || wZlotych;
            if (!wZlotych)
                obce << w.Waluta();
        }
    }
    WyciagTbl->setRows(std::move(rows));
    if (WyciagTbl->rowCount() > 0)
        grid->selectRow(0);
    btnKsieguj->setEnabled(doKsiegowania);
    if (WyciagTbl->rowCount() == 0) {
        Info(QStringLiteral("Wyciąg nie zawiera żadnego przelewu z wpłatą."));
        return;
    }
    if (!doKsiegowania) {
        Info(KsiegowanieWplat::BrakWplatWZlotych(obce));
        return;
    }
    {
        WaitCursor wait;
        propozycje_ = PropozycjePlatnikow(dm->conn, Wyciag);
    }
    pokazPropozycje();
}

void TfrmWczytajWplaty::pokazPropozycje() {
    gridPropozycje->setRowCount(static_cast<int>(propozycje_.size()));
    for (int i = 0; i < static_cast<int>(propozycje_.size()); ++i) {
        const PropozycjaPlatnika& p = propozycje_[static_cast<size_t>(i)];
        auto* przypisz = new QTableWidgetItem;
        przypisz->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        przypisz->setCheckState(Qt::Checked);
        gridPropozycje->setItem(i, 0, przypisz);
        gridPropozycje->setItem(i, 1, new QTableWidgetItem(p.platnik));
        gridPropozycje->setItem(i, 2, new QTableWidgetItem(FormatKonto(p.konto)));
        auto* kwota = new QTableWidgetItem(p.kwota.format(QLocale()));
        kwota->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        gridPropozycje->setItem(i, 3, kwota);
        gridPropozycje->setItem(i, 4, new QTableWidgetItem(p.nazwaKlienta));
    }
    const bool sa = !propozycje_.empty();
    tabs->setTabVisible(tabs->indexOf(tabPropozycje), sa);
    if (sa) {
        gridPropozycje->selectRow(0);
        tabs->setCurrentWidget(tabPropozycje);
    }
}

void TfrmWczytajWplaty::przyjmijPropozycje(int i, bool tak) {
    if (QTableWidgetItem* it = gridPropozycje->item(i, 0))
        it->setCheckState(tak ? Qt::Checked : Qt::Unchecked);
}

void TfrmWczytajWplaty::zmienKlienta(int i, int klientId, const QString& nazwa) {
    if (i < 0 || i >= static_cast<int>(propozycje_.size()) || klientId <= 0)
        return;
    propozycje_[static_cast<size_t>(i)].klientId = klientId;
    propozycje_[static_cast<size_t>(i)].nazwaKlienta = nazwa;
    gridPropozycje->item(i, 4)->setText(nazwa);
    przyjmijPropozycje(i, true);
}

void TfrmWczytajWplaty::zmienWybranego() {
    const int i = gridPropozycje->currentRow();
    if (i < 0 || !wybierzKlienta)
        return;
    if (const int id = wybierzKlienta(); id > 0)
        zmienKlienta(i, id, dm->NazwaKlienta(id));
}

DecyzjePlatnikow TfrmWczytajWplaty::decyzje() const {
    DecyzjePlatnikow d;
    for (int i = 0; i < static_cast<int>(propozycje_.size()); ++i) {
        const QTableWidgetItem* it = gridPropozycje->item(i, 0);
        if (it && it->checkState() == Qt::Checked)
            d.insert(propozycje_[static_cast<size_t>(i)].konto,
                     propozycje_[static_cast<size_t>(i)].klientId);
    }
    return d;
}

bool TfrmWczytajWplaty::propozycjeVisible() const {
    return tabs->isTabVisible(tabs->indexOf(tabPropozycje));
}

void TfrmWczytajWplaty::pokazSzczegoly() {
    const int row = grid->currentIndex().row();
    const bool has = row >= 0 && row < WyciagTbl->rowCount();
    const WyciagTblModel::Wiersz empty{};
    const auto& w = has ? WyciagTbl->rows()[static_cast<size_t>(row)] : empty;
    lbData->setText(has ? dataTekst(w.Data) : QString());
    lbKwota->setText(has ? w.Kwota.format(QLocale()) : QString());
    lbKonto->setText(w.Konto);
    lbBank->setText(w.Bank);
    lbKontrahent->setText(w.Nazwa);
    lbOpis->setText(w.Opis);
}

void TfrmWczytajWplaty::KsiegujBtnClick() {
    if (trwa_ || Wyciag.empty() || !btnKsieguj->isEnabled() ||
        !Zgoda(QStringLiteral("Zaksięgować wpłaty z wyciągu bankowego?")))
        return;
    memRaport->clear();
    memNowyKlient->clear();
    FZaksiegowano = false;
    RaportWplat raport;
    try {
        // While the events run for the progress bar, nothing else may start.
        trwa_ = true;
        const QList<QWidget*> wylaczone{btnWczytaj, btnKsieguj, btnZamknij, edPlik};
        for (QWidget* w : wylaczone)
            w->setEnabled(false);
        for (QAbstractButton* b : kodowanie_->buttons())
            b->setEnabled(false);
        tabPropozycje->setEnabled(false);
        Gauge->setValue(0);
        Gauge->setVisible(true);
        struct Koniec {
            TfrmWczytajWplaty* f;
            QList<QWidget*> w;
            ~Koniec() {
                f->trwa_ = false;
                f->Gauge->setVisible(false);
                for (QWidget* x : w)
                    x->setEnabled(true);
                for (QAbstractButton* b : f->kodowanie_->buttons())
                    b->setEnabled(true);
                f->tabPropozycje->setEnabled(true);
            }
        } koniec{this, wylaczone};
        WaitCursor wait;
        KsiegowanieWplat run(ks_, PostepOkna(*Gauge));
        run.setDecyzje(decyzje());
        run.UstawPlik(plikListy_);
        // Another workstation's booking is waited for up to the limit, then the user decides.
        if (!PonawiajPrzyBlokadzie([&] { raport = run.ksieguj(Wyciag); }))
            return;
    } catch (const WyciagJuzWczytany&) {
        // Every statement of the file was booked from another workstation since the list
        // was made.
        btnKsieguj->setEnabled(false);
        Uwaga(WyciagJuzWczytany::komunikat());
        return;
    }
    memRaport->setPlainText(raport.ogolny.join(u'\n'));
    memNowyKlient->setPlainText(raport.nowyKlient.join(u'\n'));
    if (!raport.ogolny.isEmpty()) {
        tabs->setTabVisible(tabs->indexOf(tabRaport), true);
        tabs->setCurrentWidget(tabRaport);
    }
    if (!raport.nowyKlient.isEmpty()) {
        tabs->setTabVisible(tabs->indexOf(tabNowyKlient), true);
        tabs->setCurrentWidget(tabNowyKlient);
    }
    FZaksiegowano = true;
    btnKsieguj->setEnabled(false);
    tabs->setTabVisible(tabs->indexOf(tabPropozycje), false);
    Uwaga(QStringLiteral("Zakończono księgowanie wpłat."));
}
