#pragma once

#include <QCollatorSortKey>
#include <QSortFilterProxyModel>
#include <QTableView>

#include <optional>
#include <vector>

// The rows of a model in the order the user chose by clicking a column heading: amounts,
// dates and numbers by value (the model's RolaSortowania), texts in Polish alphabetical order
// with numbers inside them read as numbers ("FV/9" before "FV/10"), empty cells first.
//
// The value of every row in the sorted column is read once per sort into a key (a collation
// key for a text), so sorting a register of 100,000 contractors compares keys, not cells.
class SortowanieSiatki : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit SortowanieSiatki(QObject* parent = nullptr);
    void setSourceModel(QAbstractItemModel* model) override;

protected:
    bool lessThan(const QModelIndex& lewy, const QModelIndex& prawy) const override;

private:
    struct Klucz {
        enum Rodzaj { Pusty, Liczba, Ulamek, Tekst } rodzaj = Pusty;
        qlonglong liczba = 0;
        double ulamek = 0.0;
        std::optional<QCollatorSortKey> tekst;
    };
    static Klucz klucz(const QModelIndex& i);
    // The keys of the column, read when a sort needs them; forgotten whenever the rows change.
    const std::vector<Klucz>& klucze(int kolumna) const;
    void zapomnij() { kolumnaKluczy_ = -1; }

    mutable std::vector<Klucz> klucze_;
    mutable int kolumnaKluczy_ = -1;
};

// A read-only list, the one every window shows its rows in: whole rows are selected, one at a
// time; a click on a column heading sorts by that column (again: the other way, a third time:
// back to the list's own order); Tab and Shift+Tab leave the list for the next control instead
// of walking its cells; double click and Enter are one signal.
//
// The model given to setModel is shown through the sorting, so model() is the sorted view.
// Windows speak of rows of their own model: biezacyWiersz, ustawBiezacy and
// biezacyZmieniony translate.
class Siatka : public QTableView {
    Q_OBJECT
public:
    explicit Siatka(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;
    QAbstractItemModel* zrodlo() const { return sortowanie_->sourceModel(); }
    SortowanieSiatki* sortowanie() const { return sortowanie_; }

    // The current row of the model given to setModel; -1 when none.
    int biezacyWiersz() const;
    // Makes a row of that model current and selected, scrolled into view (not while the user
    // is pressing the mouse on it: a half-visible row clicked stays under the mouse, so the
    // press and the highlight are on one row); -1 clears it.
    void ustawBiezacy(int wiersz);
    // The list's own order again, with no column heading marked.
    void bezSortowania();

signals:
    // The current row changed; the row of the model given to setModel, -1 when none.
    void biezacyZmieniony(int wiersz);
    // Double click or Enter on a row.
    void activated();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    SortowanieSiatki* sortowanie_;
    bool mysz_ = false; // a mouse button is down on the list
};
