#pragma once

#include "CofniecieImportu.h"
#include "WierszeModel.h"

#include <QWidget>

class QPushButton;
class QTableView;

namespace db {
class Attachment;
}

// The history of one kind of import in an import window: the statements (or invoice files)
// booked, with when, by whom, from what and how much, and "Cofnij import" for the chosen one,
// asked first ("Nie" is the default).
class HistoriaImportow : public QWidget {
    Q_OBJECT
public:
    HistoriaImportow(db::Attachment& att, cofniecie::Rodzaj rodzaj, QWidget* parent = nullptr);

    // Reads the history again.
    void odswiez();
    const WierszeModel<cofniecie::Wpis>& lista() const { return model_; }

    QTableView* Grid = nullptr;
    QPushButton* CofnijBtn = nullptr;

public slots:
    void CofnijClick();

signals:
    // An import was undone: the ledger changed.
    void cofnieto();

private:
    QString pytanie(const cofniecie::Wpis& w) const;

    db::Attachment& att_;
    cofniecie::Rodzaj rodzaj_;
    WierszeModel<cofniecie::Wpis> model_;
};
