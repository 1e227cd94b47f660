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

bool liczba(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
        return true;
    default:
        return false;
    }
}

QVariant wartosc(const QModelIndex& i) {
    const QVariant v = i.data(RolaSortowania);
    return v.isValid() ? v : i.data(Qt::DisplayRole);
}

bool pusta(const QVariant& v) {
    return !v.isValid() || (v.typeId() == QMetaType::QString && v.toString().isEmpty());
}

} // namespace

SortowanieSiatki::SortowanieSiatki(QObject* parent) : QSortFilterProxyModel(parent) {
    setSortRole(RolaSortowania);
}

bool SortowanieSiatki::lessThan(const QModelIndex& lewy, const QModelIndex& prawy) const {
    const QVariant a = wartosc(lewy);
    const QVariant b = wartosc(prawy);
    if (pusta(a) || pusta(b))
        return pusta(a) && !pusta(b);
    if (liczba(a) && liczba(b)) {
        if (a.typeId() == QMetaType::Double || b.typeId() == QMetaType::Double)
            return a.toDouble() < b.toDouble();
        return a.toLongLong() < b.toLongLong();
    }
    if (a.typeId() == QMetaType::QDate && b.typeId() == QMetaType::QDate)
        return a.toDate() < b.toDate();
    return porzadekTekstu().compare(a.toString(), b.toString()) < 0;
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
        selectionModel()->clearSelection();
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::Clear);
        return;
    }
    const int kolumna = std::max(0, currentIndex().column());
    const QModelIndex i = sortowanie_->mapFromSource(zrodlo()->index(wiersz, kolumna));
    selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect |
                                             QItemSelectionModel::Rows);
    scrollTo(i);
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
