#include "fmWczytajWplaty.h"

#include "Banki.h"
#include "BlokadaKsiegowania.h"
#include "DialogButtons.h"
#include "Globals.h"
#include "HistoriaImportow.h"
#include "KsiegowanieWplat.h"
#include "OknoImportu.h"
#include "OstatniFolder.h"
#include "PostepOkna.h"
#include "Siatka.h"
#include "StringFun.h"
#include "WaitCursor.h"
#include "WczytajWyciag.h"
#include "Wyglad.h"
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
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {
QString dataTekst(const Date& d) {
    return FormatDaty(d);
}
enum Kolumna { KData, KKwota, KWaluta, KKonto, KNazwa, KOpis, LiczbaKolumn };
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
    return parent.isValid() ? 0 : LiczbaKolumn;
}

QVariant WyciagTblModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const Wiersz& w = rows_[static_cast<size_t>(index.row())];
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case KData:
            return dataTekst(w.Data);
        case KKwota:
            return FormatKwoty(w.Kwota);
        case KWaluta:
            return w.Waluta;
        case KKonto:
            return w.Konto.isEmpty() ? QStringLiteral("(brak rachunku)") : w.Konto;
        case KNazwa:
            return w.Nazwa;
        default:
            return w.Opis;
        }
    }
    if (role == RolaSortowania) {
        if (index.column() == KData)
            return w.Data.qdate();
        if (index.column() == KKwota)
            return QVariant::fromValue(static_cast<qlonglong>(w.Kwota.raw()));
        return data(index, Qt::DisplayRole);
    }
    // A credit that will not be booked is greyed, with the reason beside the pointer.
    if (role == Qt::ForegroundRole && !w.DoKsiegowania)
        return QColor(Qt::gray);
    if (role == Qt::ToolTipRole && !w.Pominieta.isEmpty())
        return QStringLiteral("Nie zostanie zaksięgowana: ") + w.Pominieta;
    if (role == Qt::TextAlignmentRole && index.column() == KKwota)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant WyciagTblModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::TextAlignmentRole && section == KKwota)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    static const char* const titles[] = {"Data",       "Kwota", "Waluta", "Rachunek płatnika",
                                         "Kontrahent", "Opis"};
    return section >= 0 && section < LiczbaKolumn ? QString::fromUtf8(titles[section]) : QString();
}

WyciagTblModel::Suma WyciagTblModel::doZaksiegowania() const {
    Suma s;
    for (const Wiersz& w : rows_)
        if (w.DoKsiegowania) {
            ++s.liczba;
            s.kwota += w.Kwota;
        }
    return s;
}

WyciagTblModel::Suma WyciagTblModel::pominieteWZlotych() const {
    Suma s;
    for (const Wiersz& w : rows_)
        if (!w.DoKsiegowania && w.Waluta == QStringLiteral("PLN")) {
            ++s.liczba;
            s.kwota += w.Kwota;
        }
    return s;
}

int WyciagTblModel::wInnejWalucie() const {
    return static_cast<int>(std::count_if(rows_.begin(), rows_.end(), [](const Wiersz& w) {
        return w.Waluta != QStringLiteral("PLN");
    }));
}

QString WyciagTblModel::podsumowanie() const {
    if (rows_.empty())
        return {};
    const Suma k = doZaksiegowania();
    QString s = QString::fromUtf8("Wpłat do zaksięgowania: %1 na kwotę %2")
                    .arg(k.liczba)
                    .arg(FormatKwotyWaluty(k.kwota));
    const Suma p = pominieteWZlotych();
    if (p.liczba > 0)
        s += QString::fromUtf8("; nie zostaną zaksięgowane (bez rozpoznawalnego rachunku "
                               "płatnika): %1 na kwotę %2")
                 .arg(p.liczba)
                 .arg(FormatKwotyWaluty(p.kwota));
    if (const int obce = wInnejWalucie(); obce > 0)
        s += QString::fromUtf8("; w innej walucie (nie zostaną zaksięgowane): %1").arg(obce);
    return s;
}

// ---- the window

void PropozycjeTblModel::ustaw(std::vector<PropozycjaPlatnika> propozycje) {
    beginResetModel();
    propozycje_ = std::move(propozycje);
    przyjete_.assign(propozycje_.size(), true);
    endResetModel();
}

void PropozycjeTblModel::przyjmij(int i, bool tak) {
    if (i < 0 || i >= rowCount())
        return;
    przyjete_[static_cast<size_t>(i)] = tak;
    emit dataChanged(index(i, 0), index(i, 0), {Qt::CheckStateRole});
}

void PropozycjeTblModel::zmienKlienta(int i, int klientId, const QString& nazwa) {
    if (i < 0 || i >= rowCount() || klientId <= 0)
        return;
    propozycje_[static_cast<size_t>(i)].klientId = klientId;
    propozycje_[static_cast<size_t>(i)].nazwaKlienta = nazwa;
    przyjete_[static_cast<size_t>(i)] = true;
    emit dataChanged(index(i, 0), index(i, columnCount() - 1));
}

int PropozycjeTblModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(propozycje_.size());
}

int PropozycjeTblModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 5;
}

QVariant PropozycjeTblModel::data(const QModelIndex& index, int role) const {
    if (index.row() < 0 || index.row() >= rowCount())
        return {};
    const PropozycjaPlatnika& p = propozycje_[static_cast<size_t>(index.row())];
    const bool przyjeta = przyjete_[static_cast<size_t>(index.row())];
    switch (index.column()) {
    case 0:
        if (role == Qt::CheckStateRole)
            return przyjeta ? Qt::Checked : Qt::Unchecked;
        if (role == RolaSortowania)
            return przyjeta ? 1 : 0;
        return {};
    case 1:
        return role == Qt::DisplayRole ? QVariant(p.platnik) : QVariant();
    case 2:
        return role == Qt::DisplayRole ? QVariant(FormatKonto(p.konto)) : QVariant();
    case 3:
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        if (role == RolaSortowania)
            return QVariant::fromValue(static_cast<qlonglong>(p.kwota.raw()));
        return role == Qt::DisplayRole ? QVariant(FormatKwoty(p.kwota)) : QVariant();
    default:
        return role == Qt::DisplayRole ? QVariant(p.nazwaKlienta) : QVariant();
    }
}

bool PropozycjeTblModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (index.column() != 0 || role != Qt::CheckStateRole)
        return false;
    przyjmij(index.row(), value.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags PropozycjeTblModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.column() == 0)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

QVariant PropozycjeTblModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const tytuly[] = {"Przypisz", "Płatnik z wyciągu", "Rachunek", "Kwota",
                                         "Kontrahent w rejestrze"};
    return section >= 0 && section < 5 ? QString::fromUtf8(tytuly[section]) : QVariant();
}

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
    auto* lbPlik = new QLabel(QStringLiteral("&Nazwa pliku wyciągu bankowego - plik MT-940:"));
    edPlik = new QLineEdit;
    lbPlik->setBuddy(edPlik);
    auto* btnPrzegladaj = new QToolButton;
    btnPrzegladaj->setText(QStringLiteral("Prze&glądaj..."));
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
    const std::pair<TKodowanie, const char*> kody[] = {{TKodowanie::kdWykryj, "&Wykryj"},
                                                       {TKodowanie::kdUTF_8, "U&TF-8"},
                                                       {TKodowanie::kdWin_1250, "Win&dows-1250"},
                                                       {TKodowanie::kdISO_8859_2, "&ISO-8859-2"},
                                                       {TKodowanie::kdCP_852, "CP-&852"}};
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
    tabPropozycje = new QWidget;
    Propozycje = new PropozycjeTblModel(this);
    gridPropozycje = new Siatka(tabPropozycje);
    gridPropozycje->setObjectName(QStringLiteral("PropozycjeGrid"));
    gridPropozycje->setModel(Propozycje);
    gridPropozycje->horizontalHeader()->setStretchLastSection(true);
    gridPropozycje->setColumnWidth(0, 65);
    gridPropozycje->setColumnWidth(1, 210);
    gridPropozycje->setColumnWidth(2, 250);
    gridPropozycje->setColumnWidth(3, 90);
    auto* btnZmien = new QPushButton(QStringLiteral("Z&mień kontrahenta..."));
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
    raport_.dodaj(tabs);
    memRaport = raport_.tekst();
    nowyKlient_.dodaj(tabs, QStringLiteral("Niezidentyfikowane należności"));
    memNowyKlient = nowyKlient_.tekst();
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
    grid = new Siatka;
    grid->setModel(WyciagTbl);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->setColumnWidth(KData, 85);
    grid->setColumnWidth(KKwota, 100);
    grid->setColumnWidth(KWaluta, 55);
    grid->setColumnWidth(KKonto, 235);
    grid->setColumnWidth(KNazwa, 170);
    connect(grid, &Siatka::biezacyZmieniony, this, &TfrmWczytajWplaty::pokazSzczegoly);
    lbSuma = new QLabel;
    lbSuma->setWordWrap(true);
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
    auto* bottom = DolnyRzad({Gauge}, {btnKsieguj, btnZamknij});
    // Enter in the file field lists the file, as in the invoice window; Enter presses no
    // other button unless it has the focus.
    for (QPushButton* b : {btnKsieguj, btnZamknij, btnZmien})
        b->setAutoDefault(false);
    btnWczytaj->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(tabs, 2);
    layout->addWidget(grid, 3);
    layout->addWidget(lbSuma);
    layout->addLayout(bottom);
}

void TfrmWczytajWplaty::Reset() {
    FZaksiegowano = false;
    wyczysc();
    // The encoding the user listed a file in last time ("Wykryj" the first time).
    const int ostatnie = Zapamietane::wartosc(OstatnieKodowanie, -1).toInt();
    if (kodowanie_->button(ostatnie))
        kodowanie_->button(ostatnie)->setChecked(true);
    else
        setKodowanie(TKodowanie::kdWykryj);
}

// Nothing listed, nothing to book, no report of an earlier run.
void TfrmWczytajWplaty::wyczysc() {
    Propozycje->ustaw({});
    tabs->setTabVisible(tabs->indexOf(tabPropozycje), false);
    raport_.pokaz(false);
    nowyKlient_.pokaz(false);
    tabs->setCurrentWidget(tabSzczegoly);
    btnKsieguj->setEnabled(false);
    memRaport->clear();
    memNowyKlient->clear();
    WyciagTbl->clear();
    lbSuma->clear();
    Wyciag.clear();
    lbOpisPliku->clear();
}

QString TfrmWczytajWplaty::opisPliku() const {
    return lbOpisPliku->text();
}

QString TfrmWczytajWplaty::podsumowanieListy() const {
    return lbSuma->text();
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
    return raport_.widoczna();
}
bool TfrmWczytajWplaty::nowyKlientVisible() const {
    return nowyKlient_.widoczna();
}

void TfrmWczytajWplaty::przegladaj() {
    oknoimportu::WybierzPlik(
        this, edPlik, QStringLiteral("Pliki MT-940 (*.mt940x *mt940 *.sta);;Wszystkie pliki (*)"));
}

// Every press starts from an empty list with nothing to book, so a file that fails leaves
// nothing of the file listed before.
void TfrmWczytajWplaty::WczytajBtnClick() {
    if (trwa_)
        return;
    wyczysc();
    Zapamietane::ustaw(OstatnieKodowanie, kodowanie_->checkedId());
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
        // A general layout is named "układ ogólny ..." already; a bank's by the bank's name.
        const QString uklad = w->NazwaUkladu().startsWith(QString::fromUtf8("układ"))
                                  ? w->NazwaUkladu()
                                  : QString::fromUtf8("układ ") + w->NazwaUkladu();
        QString linia =
            QString::fromUtf8("Wyciąg nr %1 · rachunek %2 · waluta %3 · %4")
                .arg(w->GetNrWyciagu(), FormatKonto(w->GetKontoWL()), w->Waluta(), uklad);
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
            // Every credit is listed, those without a payer's account too: the user sees all
            // the money that came, and what booking will leave is marked with its reason.
            const bool wplata = w.GetZnakTR(i) == ZnakTR::C;
            if (!wplata && !KsiegowanieWplat::DoKsiegowania(w, i))
                continue;
            // A credit taken back shows as the negative payment it books.
            const Money kwota = w.GetZnakTR(i) == ZnakTR::RC ? -w.GetKwotaTR(i) : w.GetKwotaTR(i);
            const QString konto = w.GetKontoKL(i);
            const QString powod = !wZlotych
                                      ? QString::fromUtf8("wyciąg w walucie %1").arg(w.Waluta())
                                  : wplata ? KsiegowanieWplat::PowodPominiecia(w, i)
                                           : QString();
            rows.push_back({w.GetDataTR(i), kwota, FormatKonto(konto).left(34),
                            w.GetNazwaKL(i).left(80), w.GetOpisTR(i).left(80),
                            konto.isEmpty() ? QString() : NazwaBanku(konto).left(100), w.Waluta(),
                            powod.isEmpty(), powod});
            doKsiegowania = doKsiegowania || powod.isEmpty();
            if (!wZlotych)
                obce << w.Waluta();
        }
    }
    WyciagTbl->setRows(std::move(rows));
    if (WyciagTbl->rowCount() > 0)
        grid->selectRow(0);
    lbSuma->setText(WyciagTbl->podsumowanie());
    btnKsieguj->setEnabled(doKsiegowania);
    if (WyciagTbl->rowCount() == 0) {
        Info(QStringLiteral("Wyciąg nie zawiera żadnego przelewu z wpłatą."));
        return;
    }
    if (!doKsiegowania && !obce.isEmpty()) {
        Info(KsiegowanieWplat::BrakWplatWZlotych(obce));
        return;
    }
    if (!doKsiegowania) {
        Uwaga(QString::fromUtf8("Żadnej wpłaty z tego wyciągu nie można zaksięgować: żadna nie "
                                "ma rozpoznawalnego rachunku płatnika."));
        return;
    }
    {
        WaitCursor wait;
        Propozycje->ustaw(PropozycjePlatnikow(dm->conn, Wyciag));
    }
    pokazPropozycje();
}

void TfrmWczytajWplaty::pokazPropozycje() {
    gridPropozycje->bezSortowania();
    const bool sa = Propozycje->rowCount() > 0;
    tabs->setTabVisible(tabs->indexOf(tabPropozycje), sa);
    if (sa) {
        gridPropozycje->ustawBiezacy(0);
        tabs->setCurrentWidget(tabPropozycje);
    }
}

void TfrmWczytajWplaty::przyjmijPropozycje(int i, bool tak) {
    Propozycje->przyjmij(i, tak);
}

void TfrmWczytajWplaty::zmienKlienta(int i, int klientId, const QString& nazwa) {
    Propozycje->zmienKlienta(i, klientId, nazwa);
}

void TfrmWczytajWplaty::zmienWybranego() {
    const int i = gridPropozycje->biezacyWiersz();
    if (i < 0 || !wybierzKlienta)
        return;
    if (const int id = wybierzKlienta(); id > 0)
        zmienKlienta(i, id, dm->NazwaKlienta(id));
}

DecyzjePlatnikow TfrmWczytajWplaty::decyzje() const {
    DecyzjePlatnikow d;
    const std::vector<PropozycjaPlatnika>& p = Propozycje->propozycje();
    for (int i = 0; i < static_cast<int>(p.size()); ++i)
        if (Propozycje->przyjeta(i))
            d.insert(p[static_cast<size_t>(i)].konto, p[static_cast<size_t>(i)].klientId);
    return d;
}

bool TfrmWczytajWplaty::propozycjeVisible() const {
    return tabs->isTabVisible(tabs->indexOf(tabPropozycje));
}

void TfrmWczytajWplaty::pokazSzczegoly() {
    const int row = grid->biezacyWiersz();
    const bool has = row >= 0 && row < WyciagTbl->rowCount();
    const WyciagTblModel::Wiersz empty{};
    const auto& w = has ? WyciagTbl->rows()[static_cast<size_t>(row)] : empty;
    lbData->setText(has ? dataTekst(w.Data) : QString());
    lbKwota->setText(has ? FormatKwoty(w.Kwota) : QString());
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
    // Under the list, what was booked now, no longer what would be.
    lbSuma->setText(QString::fromUtf8("Zaksięgowano wpłat: %1 na kwotę %2; pominięto: %3")
                        .arg(raport.wplaty)
                        .arg(FormatKwotyWaluty(raport.kwotaWplat))
                        .arg(raport.pominiete));
    raport_.wybierzGdyNapisany();
    nowyKlient_.wybierzGdyNapisany();
    FZaksiegowano = true;
    btnKsieguj->setEnabled(false);
    tabs->setTabVisible(tabs->indexOf(tabPropozycje), false);
    Info(QStringLiteral("Zakończono księgowanie wpłat."));
}
