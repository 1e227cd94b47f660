#pragma once

#include <QAbstractTableModel>
#include <QString>

#include <vector>

// The picker's list of countries ("Kod", "Nazwa") with its filter on the names: a row passes
// when the filter is empty or occurs anywhere in its upper-cased name. Codes are not searched.
class TListaKrajow : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TListaKrajow(QObject* parent = nullptr);

    // The filter text as typed; kept trimmed and upper-cased.
    void setFiltr(const QString& tekst);
    const QString& filtr() const { return filtr_; }

    int liczba() const { return static_cast<int>(widoczne_.size()); }
    QString kod(int wiersz) const;
    QString nazwa(int wiersz) const;
    // The shown row of the code (letter case ignored), -1 when it is not shown.
    int wierszKodu(const QString& kod) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<QString> nazwyUp_; // upper-cased once: every keystroke filters all rows
    std::vector<int> widoczne_;    // rows of the list that pass the filter
    QString filtr_;
};
