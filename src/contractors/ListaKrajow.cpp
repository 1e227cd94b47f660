#include "ListaKrajow.h"

#include "Slowniki.h"

TListaKrajow::TListaKrajow(QObject* parent) : QAbstractTableModel(parent) {
    nazwyUp_.reserve(LiczbaKrajow);
    for (const recKraj& r : KrajeV4())
        nazwyUp_.push_back(QString::fromUtf16(r.nazwa).toUpper());
    setFiltr(QString());
}

void TListaKrajow::setFiltr(const QString& tekst) {
    beginResetModel();
    filtr_ = tekst.trimmed().toUpper();
    widoczne_.clear();
    for (int i = 0; i < LiczbaKrajow; ++i)
        if (filtr_.isEmpty() || nazwyUp_[static_cast<size_t>(i)].contains(filtr_))
            widoczne_.push_back(i);
    endResetModel();
}

QString TListaKrajow::kod(int wiersz) const {
    if (wiersz < 0 || wiersz >= liczba())
        return {};
    return QString::fromUtf16(
        KrajeV4()[static_cast<size_t>(widoczne_[static_cast<size_t>(wiersz)])].kod);
}

QString TListaKrajow::nazwa(int wiersz) const {
    if (wiersz < 0 || wiersz >= liczba())
        return {};
    return QString::fromUtf16(
        KrajeV4()[static_cast<size_t>(widoczne_[static_cast<size_t>(wiersz)])].nazwa);
}

int TListaKrajow::wierszKodu(const QString& k) const {
    const int indeks = IndeksKraju(k);
    if (indeks < 0)
        return -1;
    for (int i = 0; i < liczba(); ++i)
        if (widoczne_[static_cast<size_t>(i)] == indeks)
            return i;
    return -1;
}

int TListaKrajow::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : liczba();
}

int TListaKrajow::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant TListaKrajow::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return index.column() == 0 ? kod(index.row()) : nazwa(index.row());
}

QVariant TListaKrajow::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return {};
    return section == 0 ? QStringLiteral("Kod") : QStringLiteral("Nazwa");
}
