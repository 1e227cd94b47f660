#include "PanelWyboru.h"

#include "DataGrid.h"
#include "ListaWyboru.h"

#include <QHeaderView>
#include <QLineEdit>

QLineEdit* nowePoleFiltru(QWidget* parent) {
    auto* ed = new QLineEdit(parent);
    ed->setClearButtonEnabled(true);
    return ed;
}

TPanelWyboru::TPanelWyboru(TListaWyboru& lista, QWidget* parent) : QObject(parent), lista_(lista) {
    Grid = new DataGrid(parent);
    Grid->setDataset(&lista_.lista());
    Grid->horizontalHeader()->setStretchLastSection(true);
    FiltrEd = nowePoleFiltru(parent);
    connect(FiltrEd, &QLineEdit::textChanged, this, [this](const QString& tekst) {
        emit moznaWybrac(false);
        emit moznaWybrac(lista_.ustawFiltr(tekst));
    });
}
