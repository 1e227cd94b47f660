#pragma once

#include "KwotaWpisana.h"

#include <QLineEdit>

// The amount box of every window. It takes whatever is typed (a box that swallows keys it
// does not expect turns "1.234,56" into 1,23 without a word) and reads it with CzytajKwoteWpisana;
// leaving the box shows a readable amount in the program's own layout ("1 234,56"), or marks
// the box and tells the reason in its tooltip. The save reads odczyt() and refuses with its
// reason.
class TPoleKwoty : public QLineEdit {
    Q_OBJECT
public:
    explicit TPoleKwoty(QWidget* parent = nullptr);

    OdczytKwoty odczyt() const { return CzytajKwoteWpisana(text()); }
    void ustawKwote(Money kwota);

private:
    void pokazOdczyt();
};
