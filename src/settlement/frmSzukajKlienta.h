#pragma once

#include "ListaWyboru.h"

#include <QDialog>

class DataGrid;
class QLineEdit;
class QPushButton;
class TPanelWyboru;
class Tdm;

// "Wybór kontrahenta": picks one contractor from the whole register, narrowed by a fragment
// of the name. The caller reads the modal result and FKlientId after Execute; it acts only on
// Accepted with FKlientId greater than 0.
class TSzukajKlientaFrm : public QDialog {
    Q_OBJECT
public:
    explicit TSzukajKlientaFrm(Tdm& dm, QWidget* parent = nullptr);

    // Resets the dialog, reads the register and shows the list modally, filtered by the
    // given text (what the user typed in the search box of the window that opens it).
    int Execute(const QString& filtr = {});
    // The part of Execute before the list is shown; false when the register failed to open
    // (the message has been shown).
    bool Przygotuj(const QString& filtr = {});

    int FKlientId = 0;
    const QString& sFiltr() const { return lista_.filtr(); }
    TListaWyboru& lista() { return lista_; }

    DataGrid* Grid = nullptr;
    QLineEdit* FiltrEd = nullptr;
    QPushButton* WybierzBtn = nullptr;
    QPushButton* AnulujBtn = nullptr;

public slots:
    void WybierzBtnClick();
    void done(int r) override;

private:
    TListaWyboru lista_;
    TPanelWyboru* panel_ = nullptr;
};
