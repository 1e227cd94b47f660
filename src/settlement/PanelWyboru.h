#pragma once

#include <QObject>

class DataGrid;
class QLineEdit;
class QWidget;
class TListaWyboru;

// A filter box with its clear button: the search and filter boxes of the settlement windows.
QLineEdit* nowePoleFiltru(QWidget* parent);

// Binds a contractor pick list to its grid and filter box: the grid shows the list, every
// change of the box re-applies the filter from the first row and says whether a row can be
// picked. The dialogs lay the two controls out as they need.
class TPanelWyboru : public QObject {
    Q_OBJECT
public:
    TPanelWyboru(TListaWyboru& lista, QWidget* parent);

    DataGrid* Grid = nullptr;
    QLineEdit* FiltrEd = nullptr;

signals:
    // After every change of the filter: whether the filtered list has a current row.
    void moznaWybrac(bool tak);

private:
    TListaWyboru& lista_;
};
