#pragma once

#include <QObject>

class DataGrid;
class QLineEdit;
class QWidget;
class TListaWyboru;

// A filter box with its clear button: the search and filter boxes of the settlement windows.
QLineEdit* nowePoleFiltru(QWidget* parent);

// Binds a contractor pick list to its grid and filter box: the grid shows the list, every
// change of the box re-applies the filter and every move in the list says whether a row can
// be picked; the Down key in the box goes on into the list. The dialogs lay the two controls
// out as they need.
class TPanelWyboru : public QObject {
    Q_OBJECT
public:
    TPanelWyboru(TListaWyboru& lista, QWidget* parent);

    DataGrid* Grid = nullptr;
    QLineEdit* FiltrEd = nullptr;

signals:
    // After every change of the filter or of the current row: whether a row is current.
    void moznaWybrac(bool tak);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TListaWyboru& lista_;
};
