#include "RozrachunkiPanel.h"

#include "Dataset.h"
#include "DialogButtons.h"
#include "Error.h"
#include "PoleKwoty.h"
#include "Siatka.h"
#include "Transaction.h"
#include "WaitCursor.h"
#include "Wyglad.h"
#include "komun.h"

#include <QCheckBox>
#include <QDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

namespace {

constexpr Qt::Alignment Prawo = Qt::AlignRight | Qt::AlignVCenter;

QString tekstDaty(const Date& d) {
    return FormatDaty(d);
}

QString kwota(Money m) {
    return FormatKwoty(m);
}

// Dates and amounts sort by value, an empty date first.
QVariant dataDoSortowania(const Date& d) {
    return d.isZero() ? QVariant() : QVariant(d.qdate());
}

QVariant kwotaDoSortowania(Money m) {
    return QVariant::fromValue(static_cast<qlonglong>(m.raw()));
}

// The list's name keeps its column widths between runs; the column of descriptions takes what
// the window gives, so amounts and days stay beside each other.
Siatka* nowaSiatka(QAbstractItemModel* model, const QString& nazwa, int opis, QWidget* parent) {
    auto* g = new Siatka(parent);
    g->setObjectName(nazwa);
    g->setModel(model);
    g->horizontalHeader()->setStretchLastSection(false);
    g->horizontalHeader()->setSectionResizeMode(opis, QHeaderView::Stretch);
    return g;
}

} // namespace

// ---- the lists

PozycjeModel::PozycjeModel(Rodzaj rodzaj, QObject* parent)
    : QAbstractTableModel(parent), rodzaj_(rodzaj) {}

void PozycjeModel::ustaw(std::vector<rozrachunki::Pozycja> pozycje, const Date& naDzien) {
    beginResetModel();
    pozycje_ = std::move(pozycje);
    naDzien_ = naDzien;
    endResetModel();
}

const rozrachunki::Pozycja* PozycjeModel::pozycja(int wiersz) const {
    return wiersz >= 0 && wiersz < rowCount() ? &pozycje_[static_cast<size_t>(wiersz)] : nullptr;
}

int PozycjeModel::wierszPozycji(int wpisId) const {
    for (size_t i = 0; i < pozycje_.size(); ++i)
        if (pozycje_[i].wpisId == wpisId)
            return static_cast<int>(i);
    return -1;
}

int PozycjeModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(pozycje_.size());
}

int PozycjeModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : (rodzaj_ == Rodzaj::Naleznosci ? 7 : 5);
}

QVariant PozycjeModel::data(const QModelIndex& index, int role) const {
    const rozrachunki::Pozycja* p = pozycja(index.row());
    if (!p)
        return {};
    const int c = index.column();
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(c >= (rodzaj_ == Rodzaj::Naleznosci ? 3 : 2)
                                       ? Prawo
                                       : Qt::AlignLeft | Qt::AlignVCenter);
    if (role == Qt::ForegroundRole && rodzaj_ == Rodzaj::Naleznosci && p->pozostalo() > Money() &&
        rozrachunki::DniPoTerminie(p->termin, naDzien_) > 0)
        return QColor(Qt::darkRed);
    if (role == RolaSortowania)
        return wartoscDoSortowania(*p, c);
    if (role != Qt::DisplayRole)
        return {};
    if (rodzaj_ == Rodzaj::Naleznosci) {
        switch (c) {
        case 0:
            return p->nazwa();
        case 1:
            return tekstDaty(p->data);
        case 2:
            return tekstDaty(p->termin);
        case 3:
            return kwota(p->kwota);
        case 4:
            return kwota(p->rozliczono);
        case 5:
            return kwota(p->pozostalo());
        default: {
            const int dni = rozrachunki::DniPoTerminie(p->termin, naDzien_);
            return p->pozostalo() > Money() && dni > 0 ? QString::number(dni) : QString();
        }
        }
    }
    switch (c) {
    case 0:
        return tekstDaty(p->data);
    case 1:
        return p->nazwa();
    case 2:
        return kwota(p->kwota);
    case 3:
        return kwota(p->rozliczono);
    default:
        return kwota(p->pozostalo());
    }
}

QVariant PozycjeModel::wartoscDoSortowania(const rozrachunki::Pozycja& p, int c) const {
    if (rodzaj_ == Rodzaj::Naleznosci) {
        switch (c) {
        case 0:
            return p.nazwa();
        case 1:
            return dataDoSortowania(p.data);
        case 2:
            return dataDoSortowania(p.termin);
        case 3:
            return kwotaDoSortowania(p.kwota);
        case 4:
            return kwotaDoSortowania(p.rozliczono);
        case 5:
            return kwotaDoSortowania(p.pozostalo());
        default: {
            const int dni = rozrachunki::DniPoTerminie(p.termin, naDzien_);
            return p.pozostalo() > Money() && dni > 0 ? QVariant(dni) : QVariant();
        }
        }
    }
    switch (c) {
    case 0:
        return dataDoSortowania(p.data);
    case 1:
        return p.nazwa();
    case 2:
        return kwotaDoSortowania(p.kwota);
    case 3:
        return kwotaDoSortowania(p.rozliczono);
    default:
        return kwotaDoSortowania(p.pozostalo());
    }
}

QVariant PozycjeModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const naleznosci[] = {"Faktura / opis", "Wystawiona", "Termin",
                                             "Kwota",          "Zapłacono",  "Pozostało",
                                             "Dni po terminie"};
    static const char* const wplaty[] = {"Data", "Tytuł / opis", "Kwota", "Rozliczono",
                                         "Nierozliczone"};
    if (section < 0 || section >= columnCount())
        return {};
    return QString::fromUtf8(rodzaj_ == Rodzaj::Naleznosci ? naleznosci[section] : wplaty[section]);
}

void PowiazaniaModel::ustaw(const rozrachunki::Pozycja* p, bool naleznosc) {
    beginResetModel();
    wiersze_ = p ? p->rozliczenia : std::vector<rozrachunki::Rozliczenie>{};
    wpisId_ = p ? p->wpisId : 0;
    naleznosc_ = naleznosc;
    endResetModel();
}

std::optional<std::pair<int, int>> PowiazaniaModel::para(int wiersz) const {
    if (wiersz < 0 || wiersz >= rowCount())
        return std::nullopt;
    const int inny = wiersze_[static_cast<size_t>(wiersz)].wpisId;
    return naleznosc_ ? std::pair{wpisId_, inny} : std::pair{inny, wpisId_};
}

int PowiazaniaModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(wiersze_.size());
}

int PowiazaniaModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 4;
}

QVariant PowiazaniaModel::data(const QModelIndex& index, int role) const {
    if (index.row() < 0 || index.row() >= rowCount())
        return {};
    const rozrachunki::Rozliczenie& r = wiersze_[static_cast<size_t>(index.row())];
    if (role == Qt::TextAlignmentRole && index.column() == 2)
        return QVariant::fromValue(Prawo);
    if (role == RolaSortowania && index.column() == 0)
        return dataDoSortowania(r.data);
    if (role == RolaSortowania && index.column() == 2)
        return kwotaDoSortowania(r.kwota);
    if (role != Qt::DisplayRole && role != RolaSortowania)
        return {};
    switch (index.column()) {
    case 0:
        return tekstDaty(r.data);
    case 1:
        return r.opis;
    case 2:
        return kwota(r.kwota);
    default:
        return r.reczne ? QStringLiteral("ręcznie") : QStringLiteral("automatycznie");
    }
}

QVariant PowiazaniaModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const tytuly[] = {"Data", "Faktura / wpłata", "Kwota", "Powiązano"};
    return section >= 0 && section < 4 ? QString::fromUtf8(tytuly[section]) : QVariant();
}

// ---- the tab

TRozrachunkiPanel::TRozrachunkiPanel(db::Attachment& conn, QWidget* parent)
    : QWidget(parent), conn_(conn) {
    setObjectName(QStringLiteral("RozrachunkiPanel"));
    NazwaLbl = new QLabel(this);
    QFont f = NazwaLbl->font();
    f.setBold(true);
    NazwaLbl->setFont(f);
    PodsumowanieLbl = new QLabel(this);
    PodsumowanieLbl->setTextInteractionFlags(Qt::TextSelectableByMouse);
    RozliczoneCb = new QCheckBox(QStringLiteral("Pokaż także &rozliczone"), this);

    Naleznosci = new PozycjeModel(PozycjeModel::Rodzaj::Naleznosci, this);
    Wplaty = new PozycjeModel(PozycjeModel::Rodzaj::Wplaty, this);
    Powiazania = new PowiazaniaModel(this);
    NaleznosciGrid = nowaSiatka(Naleznosci, QStringLiteral("RozrachunkiNaleznosci"), 0, this);
    WplatyGrid = nowaSiatka(Wplaty, QStringLiteral("RozrachunkiWplaty"), 1, this);
    PowiazaniaGrid = nowaSiatka(Powiazania, QStringLiteral("RozrachunkiPowiazania"), 1, this);
    NaleznosciGrid->setColumnWidth(0, 170);
    for (int c = 1; c <= 2; ++c)
        NaleznosciGrid->setColumnWidth(c, 90);
    for (int c = 3; c <= 5; ++c)
        NaleznosciGrid->setColumnWidth(c, 105);
    NaleznosciGrid->setColumnWidth(6, 100);
    WplatyGrid->setColumnWidth(0, 80);
    WplatyGrid->setColumnWidth(1, 130);
    WplatyGrid->setColumnWidth(2, 85);
    WplatyGrid->setColumnWidth(3, 85);
    WplatyGrid->setColumnWidth(4, 95);
    PowiazaniaGrid->setColumnWidth(0, 85);
    PowiazaniaGrid->setColumnWidth(1, 95);
    PowiazaniaGrid->setColumnWidth(2, 75);
    PowiazaniaGrid->setColumnWidth(3, 95);

    PolaczBtn = new QPushButton(QStringLiteral("&Połącz..."), this);
    PolaczBtn->setToolTip(QStringLiteral("Rozlicz wybraną wpłatę z wybraną należnością"));
    OdlaczBtn = new QPushButton(QStringLiteral("&Odłącz"), this);
    OdlaczBtn->setToolTip(QStringLiteral("Usuń wybrane powiązanie"));
    DopasujBtn = new QPushButton(QStringLiteral("Dopasuj &automatycznie"), this);
    DopasujBtn->setToolTip(QStringLiteral(
        "Rozlicz nierozliczone wpłaty: najpierw faktury z tytułu, potem najstarsze"));

    auto* gora = new QHBoxLayout;
    gora->addWidget(NazwaLbl);
    gora->addStretch();
    gora->addWidget(RozliczoneCb);
    auto* przyciski = new QHBoxLayout;
    przyciski->addWidget(PolaczBtn);
    przyciski->addWidget(OdlaczBtn);
    przyciski->addWidget(DopasujBtn);
    przyciski->addStretch();

    auto* naleznosci = new QWidget(this);
    auto* ln = new QVBoxLayout(naleznosci);
    ln->setContentsMargins(0, 0, 0, 0);
    ln->addWidget(new QLabel(QStringLiteral("Należności"), naleznosci));
    ln->addWidget(NaleznosciGrid);
    auto* wplaty = new QWidget(this);
    auto* lw = new QVBoxLayout(wplaty);
    lw->setContentsMargins(0, 0, 0, 0);
    lw->addWidget(new QLabel(QStringLiteral("Wpłaty i korekty"), wplaty));
    lw->addWidget(WplatyGrid);
    auto* powiazania = new QWidget(this);
    auto* lp = new QVBoxLayout(powiazania);
    lp->setContentsMargins(0, 0, 0, 0);
    PowiazaniaLbl = new QLabel(QStringLiteral("Powiązania"), powiazania);
    lp->addWidget(PowiazaniaLbl);
    lp->addWidget(PowiazaniaGrid);
    auto* dol = new QSplitter(Qt::Horizontal, this);
    dol->addWidget(wplaty);
    dol->addWidget(powiazania);
    dol->setStretchFactor(0, 3);
    dol->setStretchFactor(1, 2);
    auto* podzial = new QSplitter(Qt::Vertical, this);
    podzial->addWidget(naleznosci);
    podzial->addWidget(dol);
    podzial->setStretchFactor(0, 3);
    podzial->setStretchFactor(1, 2);
    podzial->setChildrenCollapsible(false);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(gora);
    layout->addWidget(PodsumowanieLbl);
    layout->addWidget(podzial, 1);
    layout->addLayout(przyciski);

    zapytajKwote = [this](Money proponowana) -> std::optional<Money> {
        QDialog d(this);
        d.setObjectName(QStringLiteral("PolaczenieFrm"));
        d.setWindowTitle(QStringLiteral("Połączenie wpłaty z należnością"));
        auto* kwotaEd = new TPoleKwoty(&d);
        kwotaEd->ustawKwote(proponowana);
        kwotaEd->selectAll();
        auto* form = new QFormLayout;
        form->addRow(QStringLiteral("&Kwota rozliczenia:"), kwotaEd);
        const DialogButtons b = layOutFormDialog(d, form, QStringLiteral("&Połącz"));
        std::optional<Money> wynik;
        connect(b.ok, &QPushButton::clicked, &d, [&] {
            const OdczytKwoty o = kwotaEd->odczyt();
            if (!o.blad.isEmpty()) {
                Uwaga(o.blad);
                return;
            }
            wynik = o.kwota;
            d.accept();
        });
        return d.exec() == QDialog::Accepted ? wynik : std::nullopt;
    };

    connect(RozliczoneCb, &QCheckBox::toggled, this, [this] { wypelnij(); });
    connect(NaleznosciGrid, &Siatka::biezacyZmieniony, this, [this] { pokazPowiazania(true); });
    connect(WplatyGrid, &Siatka::biezacyZmieniony, this, [this] { pokazPowiazania(false); });
    connect(PowiazaniaGrid, &Siatka::biezacyZmieniony, this, &TRozrachunkiPanel::UpdateBtns);
    connect(PolaczBtn, &QPushButton::clicked, this, &TRozrachunkiPanel::PolaczBtnClick);
    connect(OdlaczBtn, &QPushButton::clicked, this, &TRozrachunkiPanel::OdlaczBtnClick);
    connect(DopasujBtn, &QPushButton::clicked, this, &TRozrachunkiPanel::DopasujBtnClick);
    UpdateBtns();
}

void TRozrachunkiPanel::Pokaz(int klientId, const QString& nazwa) {
    klientId_ = klientId;
    NazwaLbl->setText(nazwa);
    stan_ = {};
    if (klientId_ > 0) {
        const WaitCursor wait;
        db::Transaction tr(conn_, db::Isolation::ReadCommitted);
        tr.start();
        stan_ = rozrachunki::CzytajStan(tr, klientId_, Date(QDate::currentDate()));
        tr.commit();
    }
    wypelnij();
}

void TRozrachunkiPanel::Odswiez() {
    const rozrachunki::Pozycja* n = wybrana(NaleznosciGrid, Naleznosci);
    const rozrachunki::Pozycja* w = wybrana(WplatyGrid, Wplaty);
    const int nId = n ? n->wpisId : 0;
    const int wId = w ? w->wpisId : 0;
    const bool naleznosc = naleznosciPowiazan_;
    Pokaz(klientId_, NazwaLbl->text());
    // The list whose links were shown is chosen last, so that they are shown again.
    if (naleznosc) {
        wybierzWplate(wId);
        wybierzNaleznosc(nId);
    } else {
        wybierzNaleznosc(nId);
        wybierzWplate(wId);
    }
}

void TRozrachunkiPanel::wypelnij() {
    const bool wszystkie = RozliczoneCb->isChecked();
    auto wybierz = [wszystkie](const std::vector<rozrachunki::Pozycja>& z) {
        std::vector<rozrachunki::Pozycja> w;
        for (const auto& p : z)
            if (wszystkie || p.pozostalo() > Money())
                w.push_back(p);
        return w;
    };
    Naleznosci->ustaw(wybierz(stan_.naleznosci), stan_.naDzien);
    Wplaty->ustaw(wybierz(stan_.zaplaty), stan_.naDzien);
    Money poTerminie;
    for (const auto& p : stan_.naleznosci)
        if (rozrachunki::DniPoTerminie(p.termin, stan_.naDzien) > 0)
            poTerminie += p.pozostalo();
    PodsumowanieLbl->setText(
        klientId_ > 0 ? QStringLiteral("Pozostało do zapłaty: %1   w tym po terminie: %2   "
                                       "Nierozliczone wpłaty: %3")
                            .arg(kwota(stan_.pozostaloDoZaplaty()), kwota(poTerminie),
                                 kwota(stan_.nierozliczone()))
                      : QString());
    Powiazania->ustaw(nullptr, true);
    UpdateBtns();
}

const rozrachunki::Pozycja* TRozrachunkiPanel::wybrana(const Siatka* grid,
                                                       const PozycjeModel* model) const {
    return model->pozycja(grid->biezacyWiersz());
}

bool TRozrachunkiPanel::wybierzNaleznosc(int wpisId) {
    const int w = Naleznosci->wierszPozycji(wpisId);
    if (w < 0)
        return false;
    NaleznosciGrid->ustawBiezacy(w);
    pokazPowiazania(true);
    return true;
}

bool TRozrachunkiPanel::wybierzWplate(int wpisId) {
    const int w = Wplaty->wierszPozycji(wpisId);
    if (w < 0)
        return false;
    WplatyGrid->ustawBiezacy(w);
    pokazPowiazania(false);
    return true;
}

bool TRozrachunkiPanel::wybierzPowiazanie(int wiersz) {
    if (wiersz < 0 || wiersz >= Powiazania->rowCount())
        return false;
    PowiazaniaGrid->ustawBiezacy(wiersz);
    UpdateBtns();
    return true;
}

void TRozrachunkiPanel::pokazPowiazania(bool naleznosc) {
    naleznosciPowiazan_ = naleznosc;
    const rozrachunki::Pozycja* p =
        naleznosc ? wybrana(NaleznosciGrid, Naleznosci) : wybrana(WplatyGrid, Wplaty);
    Powiazania->ustaw(p, naleznosc);
    PowiazaniaLbl->setText(p ? QStringLiteral("Powiązania: ") + p->nazwa()
                             : QStringLiteral("Powiązania"));
    UpdateBtns();
}

void TRozrachunkiPanel::UpdateBtns() {
    const rozrachunki::Pozycja* n = wybrana(NaleznosciGrid, Naleznosci);
    const rozrachunki::Pozycja* w = wybrana(WplatyGrid, Wplaty);
    PolaczBtn->setEnabled(n && w && n->pozostalo() > Money() && w->pozostalo() > Money());
    OdlaczBtn->setEnabled(Powiazania->para(PowiazaniaGrid->biezacyWiersz()).has_value());
    DopasujBtn->setEnabled(klientId_ > 0 && stan_.nierozliczone() > Money() &&
                           stan_.pozostaloDoZaplaty() > Money());
}

void TRozrachunkiPanel::PolaczBtnClick() {
    const rozrachunki::Pozycja* n = wybrana(NaleznosciGrid, Naleznosci);
    const rozrachunki::Pozycja* w = wybrana(WplatyGrid, Wplaty);
    if (!n || !w)
        return;
    const int nId = n->wpisId;
    const int wId = w->wpisId;
    const Money proponowana = std::min(n->pozostalo(), w->pozostalo());
    const std::optional<Money> k = zapytajKwote(proponowana);
    if (!k)
        return;
    QString odmowa;
    {
        const WaitCursor wait;
        odmowa = rozrachunki::PolaczRecznie(conn_, nId, wId, *k);
    }
    Odswiez();
    if (!odmowa.isEmpty()) {
        Uwaga(odmowa);
        return;
    }
    emit zmieniono();
}

void TRozrachunkiPanel::OdlaczBtnClick() {
    const auto para = Powiazania->para(PowiazaniaGrid->biezacyWiersz());
    if (!para)
        return;
    QString odmowa;
    {
        const WaitCursor wait;
        odmowa = rozrachunki::OdlaczRecznie(conn_, para->first, para->second);
    }
    Odswiez();
    if (!odmowa.isEmpty()) {
        Uwaga(odmowa);
        return;
    }
    emit zmieniono();
}

void TRozrachunkiPanel::DopasujBtnClick() {
    if (klientId_ <= 0)
        return;
    int ile = 0;
    {
        const WaitCursor wait;
        ile = rozrachunki::DopasujKlienta(conn_, klientId_);
    }
    Odswiez();
    Info(ile > 0 ? QStringLiteral("Dopasowano powiązań: %1.").arg(ile)
                 : QStringLiteral("Nie ma wpłat, które dałoby się dopasować do należności."));
    if (ile > 0)
        emit zmieniono();
}
