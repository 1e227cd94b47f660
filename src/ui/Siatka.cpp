#include "Siatka.h"

#include "Dataset.h"

#include <QCollator>
#include <QDate>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLocale>

namespace {

const QCollator& porzadekTekstu() {
    static const QCollator c = [] {
        QCollator k(QLocale(QLocale::Polish, QLocale::Poland));
        k.setCaseSensitivity(Qt::CaseInsensitive);
        k.setNumericMode(true);
        return k;
    }();
    return c;
}

QVariant wartosc(const QModelIndex& i) {
    const QVariant v = i.data(RolaSortowania);
    return v.isValid() ? v : i.data(Qt::DisplayRole);
}

} // namespace

SortowanieSiatki::SortowanieSiatki(QObject* parent) : QSortFilterProxyModel(parent) {
    setSortRole(RolaSortowania);
}

void SortowanieSiatki::setSourceModel(QAbstractItemModel* model) {
    if (sourceModel())
        disconnect(sourceModel(), nullptr, this, nullptr);
    zapomnij();
    // Connected before the proxy's own handling, so a re-sort after a change reads afresh.
    if (model) {
        const auto z = [this] { zapomnij(); };
        connect(model, &QAbstractItemModel::modelReset, this, z);
        connect(model, &QAbstractItemModel::dataChanged, this, z);
        connect(model, &QAbstractItemModel::rowsInserted, this, z);
        connect(model, &QAbstractItemModel::rowsRemoved, this, z);
        connect(model, &QAbstractItemModel::rowsMoved, this, z);
        connect(model, &QAbstractItemModel::layoutChanged, this, z);
    }
    QSortFilterProxyModel::setSourceModel(model);
}

SortowanieSiatki::Klucz SortowanieSiatki::klucz(const QModelIndex& i) {
    const QVariant v = wartosc(i);
    Klucz k;
    if (!v.isValid() || (v.typeId() == QMetaType::QString && v.toString().isEmpty()))
        return k;
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        k.rodzaj = Klucz::Liczba;
        k.liczba = v.toLongLong();
        return k;
    case QMetaType::Double:
        k.rodzaj = Klucz::Ulamek;
        k.ulamek = v.toDouble();
        return k;
    case QMetaType::QDate:
        k.rodzaj = Klucz::Liczba;
        k.liczba = v.toDate().toJulianDay();
        return k;
    default:
        k.rodzaj = Klucz::Tekst;
        k.tekst = porzadekTekstu().sortKey(v.toString());
        return k;
    }
}

const std::vector<SortowanieSiatki::Klucz>& SortowanieSiatki::klucze(int kolumna) const {
    const QAbstractItemModel* m = sourceModel();
    const int wierszy = m ? m->rowCount() : 0;
    if (kolumnaKluczy_ != kolumna || static_cast<int>(klucze_.size()) != wierszy) {
        klucze_.clear();
        klucze_.reserve(static_cast<size_t>(wierszy));
        for (int r = 0; r < wierszy; ++r)
            klucze_.push_back(klucz(m->index(r, kolumna)));
        kolumnaKluczy_ = kolumna;
    }
    return klucze_;
}

bool SortowanieSiatki::lessThan(const QModelIndex& lewy, const QModelIndex& prawy) const {
    const std::vector<Klucz>& k = klucze(lewy.column());
    const Klucz& a = k[static_cast<size_t>(lewy.row())];
    const Klucz& b = k[static_cast<size_t>(prawy.row())];
    if (a.rodzaj == Klucz::Pusty || b.rodzaj == Klucz::Pusty)
        return a.rodzaj == Klucz::Pusty && b.rodzaj != Klucz::Pusty;
    if (a.rodzaj == Klucz::Liczba && b.rodzaj == Klucz::Liczba)
        return a.liczba < b.liczba;
    if (a.rodzaj != Klucz::Tekst && b.rodzaj != Klucz::Tekst) {
        const double x = a.rodzaj == Klucz::Ulamek ? a.ulamek : static_cast<double>(a.liczba);
        const double y = b.rodzaj == Klucz::Ulamek ? b.ulamek : static_cast<double>(b.liczba);
        return x < y;
    }
    if (a.rodzaj == Klucz::Tekst && b.rodzaj == Klucz::Tekst)
        return a.tekst->compare(*b.tekst) < 0;
    return a.rodzaj != Klucz::Tekst; // numbers before texts
}

Siatka::Siatka(QWidget* parent) : QTableView(parent), sortowanie_(new SortowanieSiatki(this)) {
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAlternatingRowColors(true);
    setWordWrap(false);
    // Tab goes on to the next control; the arrows move within the list.
    setTabKeyNavigation(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setVisible(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSortIndicatorClearable(true);
    horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    setSortingEnabled(true);
    connect(this, &QTableView::doubleClicked, this, [this] { emit activated(); });
}

void Siatka::setModel(QAbstractItemModel* model) {
    if (model == sortowanie_ || (model && model == sortowanie_->sourceModel()))
        return;
    sortowanie_->setSourceModel(model);
    QTableView::setModel(model ? sortowanie_ : nullptr);
    if (!model)
        return;
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& biezacy) {
                emit biezacyZmieniony(biezacy.isValid() ? sortowanie_->mapToSource(biezacy).row()
                                                        : -1);
            });
}

int Siatka::biezacyWiersz() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? sortowanie_->mapToSource(i).row() : -1;
}

void Siatka::ustawBiezacy(int wiersz) {
    if (!selectionModel() || !zrodlo())
        return;
    if (wiersz < 0 || wiersz >= zrodlo()->rowCount()) {
        // No row stands current: none is highlighted, nor framed as the keyboard's.
        selectionModel()->clearSelection();
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        return;
    }
    const int kolumna = std::max(0, currentIndex().column());
    const QModelIndex i = sortowanie_->mapFromSource(zrodlo()->index(wiersz, kolumna));
    selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect |
                                             QItemSelectionModel::Rows);
    if (!mysz_)
        scrollTo(i);
}

void Siatka::mousePressEvent(QMouseEvent* event) {
    mysz_ = true;
    QTableView::mousePressEvent(event);
}

void Siatka::mouseDoubleClickEvent(QMouseEvent* event) {
    mysz_ = true;
    QTableView::mouseDoubleClickEvent(event);
}

void Siatka::mouseReleaseEvent(QMouseEvent* event) {
    QTableView::mouseReleaseEvent(event);
    mysz_ = false;
}

void Siatka::bezSortowania() {
    horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    sortowanie_->sort(-1);
}

void Siatka::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (currentIndex().isValid()) {
            emit activated();
            return;
        }
    }
    QTableView::keyPressEvent(event);
}
