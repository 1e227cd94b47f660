#include "frmDziennik.h"

#include "WaitCursor.h"
#include "fdm.h"
#include "komun.h"

#include <QDateEdit>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {
enum Kolumna { Kiedy, Uzytkownik, Operacja, Co, Kontrahent, Zmiana, Kolumn };
}

void DziennikModel::ustaw(std::vector<dziennik::WpisDziennika> wpisy) {
    beginResetModel();
    wpisy_ = std::move(wpisy);
    endResetModel();
}

int DziennikModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(wpisy_.size());
}

int DziennikModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Kolumn;
}

QVariant DziennikModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const dziennik::WpisDziennika& w = wpisy_[static_cast<size_t>(index.row())];
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    switch (index.column()) {
    case Kiedy:
        return w.dzien.qdate().toString(QStringLiteral("dd.MM.yyyy")) + u' ' +
               w.czas.toString(QStringLiteral("HH:mm:ss"));
    case Uzytkownik:
        return w.operatorNazwa;
    case Operacja:
        return w.rodzaj;
    case Co:
        return dziennik::OpisObiektu(w);
    case Kontrahent:
        return dziennik::OpisKontrahenta(w);
    default:
        return dziennik::OpisZmiany(w);
    }
}

QVariant DziennikModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const tytuly[] = {"Kiedy", "Użytkownik", "Operacja",
                                         "Co",    "Kontrahent", "Zmiana (przed → po)"};
    return section >= 0 && section < Kolumn ? QString::fromUtf8(tytuly[section]) : QVariant();
}

TDziennikFrm::TDziennikFrm(Tdm& dm, QWidget* parent) : QDialog(parent), dm_(dm), model_(this) {
    setObjectName(QStringLiteral("DziennikFrm"));
    setWindowTitle(QStringLiteral("Dziennik zmian"));
    setMinimumSize(760, 420);
    setSizeGripEnabled(true);

    const auto poleDaty = [this] {
        auto* d = new QDateEdit(this);
        d->setCalendarPopup(true);
        d->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
        return d;
    };
    OdEd = poleDaty();
    DoEd = poleDaty();
    auto* odLbl = new QLabel(QStringLiteral("&Od dnia:"), this);
    odLbl->setBuddy(OdEd);
    auto* doLbl = new QLabel(QStringLiteral("&do dnia:"), this);
    doLbl->setBuddy(DoEd);
    PokazBtn = new QPushButton(QStringLiteral("&Pokaż"), this);
    PokazBtn->setDefault(true);
    auto* gora = new QHBoxLayout;
    gora->addWidget(odLbl);
    gora->addWidget(OdEd);
    gora->addSpacing(12);
    gora->addWidget(doLbl);
    gora->addWidget(DoEd);
    gora->addSpacing(12);
    gora->addWidget(PokazBtn);
    gora->addStretch();

    Grid = new QTableView(this);
    Grid->setModel(&model_);
    Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid->setSelectionMode(QAbstractItemView::SingleSelection);
    Grid->setAlternatingRowColors(true);
    Grid->setWordWrap(false);
    Grid->verticalHeader()->hide();
    Grid->verticalHeader()->setDefaultSectionSize(Grid->fontMetrics().height() + 6);
    Grid->horizontalHeader()->setStretchLastSection(true);
    Grid->setTabKeyNavigation(false);
    for (const auto& [kolumna, szerokosc] :
         {std::pair{Kiedy, 140}, {Uzytkownik, 120}, {Operacja, 150}, {Co, 170}, {Kontrahent, 180}})
        Grid->setColumnWidth(kolumna, szerokosc);

    // The whole of the chosen entry, however long its values.
    SzczegolyLbl = new QLabel(this);
    SzczegolyLbl->setWordWrap(true);
    SzczegolyLbl->setTextInteractionFlags(Qt::TextSelectableByMouse);
    SzczegolyLbl->setFrameShape(QFrame::StyledPanel);
    SzczegolyLbl->setMinimumHeight(3 * SzczegolyLbl->fontMetrics().height());
    SzczegolyLbl->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LiczbaLbl = new QLabel(this);
    ZamknijBtn = new QPushButton(QStringLiteral("&Zamknij"), this);
    ZamknijBtn->setAutoDefault(false);
    auto* dol = new QHBoxLayout;
    dol->addWidget(LiczbaLbl, 1);
    dol->addWidget(ZamknijBtn);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(gora);
    layout->addWidget(Grid, 1);
    layout->addWidget(SzczegolyLbl);
    layout->addLayout(dol);
    resize(1100, 560);

    connect(PokazBtn, &QPushButton::clicked, this, &TDziennikFrm::PokazBtnClick);
    connect(ZamknijBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(Grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TDziennikFrm::pokazSzczegoly);
    connect(&model_, &QAbstractItemModel::modelReset, this, &TDziennikFrm::pokazSzczegoly);
}

void TDziennikFrm::pokazSzczegoly() {
    const int r = Grid->currentIndex().row();
    if (r < 0 || r >= model_.rowCount()) {
        SzczegolyLbl->clear();
        return;
    }
    const dziennik::WpisDziennika& w = model_.wpisy()[static_cast<size_t>(r)];
    SzczegolyLbl->setText(w.rodzaj + QStringLiteral(": ") + dziennik::OpisObiektu(w) +
                          QStringLiteral(", ") + dziennik::OpisKontrahenta(w) + u'\n' +
                          dziennik::OpisZmiany(w));
}

void TDziennikFrm::Przygotuj() {
    const QDate dzis = QDate::currentDate();
    OdEd->setDate(dzis.addDays(-30));
    DoEd->setDate(dzis);
    PokazBtnClick();
    OdEd->setFocus();
}

void TDziennikFrm::Execute() {
    Przygotuj();
    exec();
}

void TDziennikFrm::PokazBtnClick() {
    if (OdEd->date() > DoEd->date()) {
        Uwaga(QStringLiteral("Data początkowa jest późniejsza niż końcowa."));
        return;
    }
    std::vector<dziennik::WpisDziennika> wpisy;
    {
        WaitCursor wait;
        wpisy = dziennik::CzytajDziennik(dm_.conn, Date(OdEd->date()), Date(DoEd->date()));
    }
    model_.ustaw(std::move(wpisy));
    LiczbaLbl->setText(model_.rowCount() == 0
                           ? QStringLiteral("Brak zmian w tym okresie.")
                           : QStringLiteral("Wpisów: %1").arg(model_.rowCount()));
    if (model_.rowCount() > 0)
        Grid->selectRow(model_.rowCount() - 1); // the latest last, in view
}
