#include "FaktTblModel.h"

#include "Dataset.h"
#include "FaktTbl.h"
#include "Wyglad.h"

namespace {
enum Kolumna { KNumer, KData, KKwota, KNip, KNazwa, KAdres, LiczbaKolumn };
}

void FaktTblModel::setRows(std::vector<recFaktura> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

const recFaktura* FaktTblModel::row(int index) const {
    if (index < 0 || index >= rowCount())
        return nullptr;
    return &rows_[static_cast<size_t>(index)];
}

int FaktTblModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int FaktTblModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : LiczbaKolumn;
}

QVariant FaktTblModel::data(const QModelIndex& index, int role) const {
    const recFaktura* f = row(index.row());
    if (!f)
        return {};
    if (role == Qt::TextAlignmentRole && index.column() == KKwota)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role == RolaSortowania) {
        if (index.column() == KData)
            return f->DataWyst.qdate();
        if (index.column() == KKwota)
            return QVariant::fromValue(static_cast<qlonglong>(f->Kwota.raw()));
        return data(index, Qt::DisplayRole);
    }
    if (role != Qt::DisplayRole)
        return {};
    const FaktTbl::Wiersz w = FaktTbl::wiersz(*f);
    switch (index.column()) {
    case KNumer:
        return w.Numer;
    case KData:
        return FormatDaty(w.Data);
    case KKwota:
        // An amount in another currency says which: it is no złoty amount.
        return f->WInnejWalucie() ? FormatKwoty(w.Kwota) + u' ' + f->Waluta.trimmed()
                                  : FormatKwoty(w.Kwota);
    case KNip:
        return w.NIP;
    case KNazwa:
        return w.Nazwa;
    case KAdres:
        return w.Adres;
    default:
        return {};
    }
}

QVariant FaktTblModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::TextAlignmentRole && section == KKwota)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const titles[] = {
        "Numer faktury", "Data", "Kwota", "Numer VAT", "Nazwa kontrahenta", "Adres kontrahenta"};
    return section >= 0 && section < LiczbaKolumn ? QString::fromUtf8(titles[section]) : QVariant();
}

QString FaktTblModel::podsumowanie() const {
    if (rows_.empty())
        return {};
    int wZlotych = 0, wWalucie = 0, bezNip = 0;
    Money suma;
    for (const recFaktura& f : rows_) {
        if (f.NipOdb.trimmed().isEmpty()) {
            ++bezNip;
        } else if (f.WInnejWalucie()) {
            ++wWalucie;
        } else {
            ++wZlotych;
            suma += f.Kwota;
        }
    }
    QString s = QString::fromUtf8("Faktur do zaksięgowania: %1 na kwotę %2")
                    .arg(wZlotych)
                    .arg(FormatKwotyWaluty(suma));
    if (wWalucie > 0)
        s += QString::fromUtf8("; w innej walucie (nie zostaną zaksięgowane): %1").arg(wWalucie);
    if (bezNip > 0)
        s += QString::fromUtf8("; bez NIP nabywcy (nie zostaną zaksięgowane): %1").arg(bezNip);
    return s;
}
