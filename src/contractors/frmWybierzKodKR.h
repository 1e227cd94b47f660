#pragma once

#include "ListaKrajow.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class Siatka;

// "Wybór kodu kraju": picks a country code from the built-in list, filtered on the names.
class TWybierzKodKRFrm : public QDialog {
    Q_OBJECT
public:
    explicit TWybierzKodKRFrm(QWidget* parent = nullptr);

    // Shows the list on the given code (on Polska when it is blank); the caller reads the
    // result and FKod afterwards.
    int Execute(const QString& kodKR);
    // What Execute does before the dialog is shown.
    void Przygotuj(const QString& kodKR);

    QString FKod;
    QString FKraj;

    TListaKrajow Lista;
    Siatka* Grid = nullptr;
    QLineEdit* FiltrEd = nullptr;
    QPushButton* WybierzBtn = nullptr;
    QPushButton* AnulujBtn = nullptr;

    int biezacyWiersz() const;
    void ustawWiersz(int wiersz);

public slots:
    void FiltrChange();
    void WybierzBtnClick();
};
