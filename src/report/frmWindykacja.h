#pragma once

#include "Dokumenty.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QDateEdit;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace db {
class Attachment;
}

// The collection documents' windows: the interest note of one contractor with the notes
// register, and the reminders and balance confirmations of one contractor or of all.
namespace wydruk {

// The notes register: every note (klientId 0) or one contractor's, with its preview, its
// booking and its cancellation.
class TRejestrNotFrm : public QDialog {
    Q_OBJECT
public:
    TRejestrNotFrm(db::Attachment& att, int klientId, QWidget* parent = nullptr);
    void Odswiez();
    int wybrana() const; // the id of the chosen note; 0 when none

    QTableWidget* Lista = nullptr;
    QPushButton* PodgladBtn = nullptr;
    QPushButton* ZaksiegujBtn = nullptr;
    QPushButton* AnulujBtn = nullptr;

signals:
    void zmieniono(); // a note was booked or cancelled

protected:
    void UpdateBtns();
    void Podglad();
    void Zaksieguj();
    void Anuluj();

    db::Attachment& att_;
    int klientId_;
};

// "Nota odsetkowa": counted for the period, shown, and only then saved under its number
// ("Zapisz") or saved and booked ("Zaksięguj"); the contractor's earlier notes below.
class TNotaOdsetkowaFrm : public QDialog {
    Q_OBJECT
public:
    TNotaOdsetkowaFrm(db::Attachment& att, int klientId, const QString& nazwa,
                      QWidget* parent = nullptr);

    dokumenty::ParametryNoty parametry() const;
    void Oblicz();
    void Podglad();
    // Saves the note shown, with `ksieguj` books it too; false when nothing was saved.
    bool Zapisz(bool ksieguj);

    QCheckBox* OdChk = nullptr;
    QDateEdit* OdEd = nullptr;
    QDateEdit* DoEd = nullptr;
    QDateEdit* DataEd = nullptr;
    QSpinBox* TerminEd = nullptr;
    QCheckBox* NiezaplaconeChk = nullptr;
    QCheckBox* RekompensataChk = nullptr;
    QTableWidget* Pozycje = nullptr;
    QLabel* RazemLbl = nullptr;
    QPushButton* ObliczBtn = nullptr;
    QPushButton* PodgladBtn = nullptr;
    QPushButton* ZapiszBtn = nullptr;
    QPushButton* ZaksiegujBtn = nullptr;
    TRejestrNotFrm* Rejestr = nullptr;

signals:
    void zmieniono(); // the ledger changed: a note was booked

private:
    void pokaz(std::optional<dokumenty::NotaOdsetkowa> n);

    db::Attachment& att_;
    int klientId_;
    std::optional<dokumenty::NotaOdsetkowa> nota_; // as counted and shown; no number yet
};

// Reminders ("Wezwania do zapłaty") or balance confirmations ("Potwierdzenia salda") of one
// contractor, or with klientId 0 of every one the run finds: progress shown, "Przerwij" stops
// between two contractors, then the preview (print, PDF) or a PDF file per contractor.
class TDokumentyWindykacjiFrm : public QDialog {
    Q_OBJECT
public:
    enum class Rodzaj { Wezwania, Potwierdzenia };
    TDokumentyWindykacjiFrm(db::Attachment& att, Rodzaj rodzaj, int klientId, const QString& nazwa,
                            QWidget* parent = nullptr);

    // Makes the documents; false when none (the reason was shown).
    bool Utworz();
    void Podglad();
    // One PDF file per contractor in the folder; the number written.
    int ZapiszDoFolderu(const QString& folder);

    QDateEdit* DataEd = nullptr;
    QDateEdit* NaDzienEd = nullptr; // confirmations
    QSpinBox* PonadDniEd = nullptr; // reminders to all
    QSpinBox* TerminEd = nullptr;   // reminders
    QCheckBox* OdsetkiChk = nullptr;
    QProgressBar* Pasek = nullptr;
    QLabel* WynikLbl = nullptr;
    QPushButton* UtworzBtn = nullptr;
    QPushButton* PrzerwijBtn = nullptr;
    QPushButton* PodgladBtn = nullptr;
    QPushButton* FolderBtn = nullptr;

    std::vector<dokumenty::WezwanieDoZaplaty> wezwania;
    std::vector<dokumenty::PotwierdzenieSalda> potwierdzenia;

private:
    db::Attachment& att_;
    Rodzaj rodzaj_;
    int klientId_;
    bool przerwij_ = false;
    bool trwa_ = false;
};

} // namespace wydruk
