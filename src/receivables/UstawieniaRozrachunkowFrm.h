#pragma once

#include "UstawieniaRozrachunkow.h"

#include <QDialog>

class QCheckBox;
class QPushButton;
class QSpinBox;
namespace db {
class Attachment;
}

// "Ustawienia rozrachunków": the company's default payment term and whether payments that
// name no invoice pay the oldest due ones first. Shared by every workstation of the database.
class TUstawieniaRozrachunkowFrm : public QDialog {
    Q_OBJECT
public:
    TUstawieniaRozrachunkowFrm(db::Attachment& conn, QWidget* parent = nullptr);

    // Reads the settings into the controls (false, with the error shown, when they cannot be
    // read) and shows the dialog.
    int Execute();
    bool Przygotuj();
    rozrachunki::Ustawienia Dane() const;

    QSpinBox* TerminEd = nullptr;
    QCheckBox* NajstarszeCb = nullptr;
    QPushButton* ZapiszBtn = nullptr;
    QPushButton* AnulujBtn = nullptr;

public slots:
    void ZapiszBtnClick();

private:
    db::Attachment& conn_;
};
