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
class QTableView;
class QWidget;

// What the windows reading an invoice file share: the file row, the list grid, the "Raport"
// tab and the way they are shown.
namespace oknoimportu {

// The caption, the file field and the "..." button with its tooltip; the window adds its own
// buttons after them.
QHBoxLayout* WierszPliku(const QString& etykieta, const QString& podpowiedz, QLineEdit*& plikEd,
                         QPushButton*& przegladajBtn);
// "Przeglądanie": asks for a file, starting from the field's path; the chosen one goes into it.
void WybierzPlik(QWidget* parent, QLineEdit* plikEd, const QString& filtr);
// The list the windows show: read-only, whole rows, one at a time, the given column widths.
void UstawListe(QTableView* grid, QAbstractItemModel* model, std::initializer_list<int> szerokosci);
// Whenever the list is filled anew its first row is selected; `potem` then runs, when given.
void ZaznaczPierwszy(QTableView* grid, std::function<void()> potem = {});
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

// The "Raport" tab: a read-only text, hidden until a run has something to report.
class ZakladkaRaportu {
public:
    // Adds the tab to tabs, which own it.
    void dodaj(QTabWidget* tabs);
    QPlainTextEdit* tekst() const { return tekst_; }
    void pokaz(bool widoczna);
    // Shows the tab and brings it to the front.
    void wybierz();
    bool widoczna() const;
    // After a run: brings the tab forward when the run wrote to it.
    void wybierzGdyNapisany();

private:
    QTabWidget* tabs_ = nullptr;
    QWidget* zakladka_ = nullptr;
    QPlainTextEdit* tekst_ = nullptr;
};
