#include "PanelWyboru.h"

#include "DataGrid.h"
#include "ListaWyboru.h"

#include <QHeaderView>
#include <QKeyEvent>
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
    connect(&lista_.lista(), &Dataset::currentChanged, this,
            [this] { emit moznaWybrac(lista_.maBiezacy()); });
    FiltrEd->installEventFilter(this);
}

bool TPanelWyboru::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FiltrEd && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        Dataset& l = lista_.lista();
        if ((key == Qt::Key_Down || key == Qt::Key_PageDown) && !l.isEmpty()) {
            Grid->setFocus();
            if (!l.current())
                l.setCurrentIndex(0);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
