#pragma once

#include "SzukanieKlienta.h"

#include <QObject>

class Dataset;
class QLabel;
class QLineEdit;
class QWidget;
namespace db {
class Attachment;
}

// The search box of a contractor list and the note beside it: every change of the box moves
// the list (WyszukiwarkaKlientow); a text that matches nothing is said in red, a match by a
// tax or account number in plain words, a match by name needs no words. The window lays the
// two controls out.
class TPoleSzukania : public QObject {
    Q_OBJECT
public:
    TPoleSzukania(Dataset& klient, db::Attachment& conn, QWidget* parent);

    QLineEdit* SzukajEd = nullptr;
    QLabel* NotkaLbl = nullptr;

    // Reads the names ahead of the first keystroke.
    void przygotuj() { wyszukiwarka_.przygotuj(); }
    WynikSzukania ostatni() const { return ostatni_; }

private:
    void szukaj(const QString& tekst);

    WyszukiwarkaKlientow wyszukiwarka_;
    WynikSzukania ostatni_ = WynikSzukania::Nic;
};
