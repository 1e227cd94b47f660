#pragma once

#include "JpkReader.h"

#include <QString>

#include <functional>
#include <initializer_list>
#include <optional>

class QAbstractItemModel;
class QHBoxLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class Siatka;
class QWidget;

// What the windows reading an invoice file share: the file row, the list grid, the "Raport"
// tab and the way they are shown.
namespace oknoimportu {

// The caption (naming the field, with its mnemonic and colon), the file field and the browse
// button with its tooltip; the window adds its own buttons after them.
QHBoxLayout* WierszPliku(const QString& etykieta, const QString& podpowiedz, QLineEdit*& plikEd,
                         QPushButton*& przegladajBtn);
// "Przeglądanie": asks for a file, starting from the field's path; the chosen one goes into it.
void WybierzPlik(QWidget* parent, QLineEdit* plikEd, const QString& filtr);
// The list the windows show, with the given column widths; the last column takes the rest.
void UstawListe(Siatka* grid, QAbstractItemModel* model, std::initializer_list<int> szerokosci);
// Whenever the list is filled anew its first row is selected; `potem` then runs, when given.
void ZaznaczPierwszy(Siatka* grid, std::function<void()> potem = {});
// Places the window in the middle of its screen.
void Wysrodkuj(QWidget* okno);
// Opens a JPK_FAKTURA file; a refusal is said to the user and gives nothing.
std::optional<JpkDocument> OtworzJpk(const QString& plik);

// What went wrong while listing a file: a refusal of the file, or another failure.
struct WynikOdczytu {
    QString odmowa;
    QString blad;
};
// Lists a file under the wait cursor. The failures are kept, not said, so the window says them
// once the cursor is back; `pokaz` runs still under the cursor, whatever happened, to put what
// was read into the list.
WynikOdczytu CzytajListe(const std::function<void()>& czytaj,
                         const std::function<void(const WynikOdczytu&)>& pokaz);

} // namespace oknoimportu

// The "Raport" tab: a read-only text, hidden until a run has something to report, which the
// user can save to a text file or print.
class ZakladkaRaportu {
public:
    // Adds the tab to tabs, which own it; the printout is titled after the window and the tab.
    void dodaj(QTabWidget* tabs, const QString& tytul = QStringLiteral("Raport"));
    QPlainTextEdit* tekst() const { return tekst_; }
    QPushButton* zapiszBtn() const { return zapisz_; }
    QPushButton* drukujBtn() const { return drukuj_; }
    // Writes the report to a text file (UTF-8, a line a line); the Polish message of a
    // failure, else empty.
    QString zapisz(const QString& plik) const;
    // Asks where to save; empty when the user gave up. Tests replace it.
    std::function<QString(const QString& proponowany)> wybierzPlik;
    void pokaz(bool widoczna);
    // Shows the tab and brings it to the front.
    void wybierz();
    bool widoczna() const;
    // After a run: brings the tab forward when the run wrote to it.
    void wybierzGdyNapisany();

private:
    QString tytulWydruku() const;
    QString nazwaPliku() const;
    void zapiszKlik();
    void drukujKlik();

    QTabWidget* tabs_ = nullptr;
    QWidget* zakladka_ = nullptr;
    QString tytul_;
    QPlainTextEdit* tekst_ = nullptr;
    QPushButton* zapisz_ = nullptr;
    QPushButton* drukuj_ = nullptr;
};
