#include "UstawieniaRozrachunkowFrm.h"

#include "DialogButtons.h"
#include "Error.h"
#include "Transaction.h"
#include "komun.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

TUstawieniaRozrachunkowFrm::TUstawieniaRozrachunkowFrm(db::Attachment& conn, QWidget* parent)
    : QDialog(parent), conn_(conn) {
    setObjectName(QStringLiteral("UstawieniaRozrachunkowFrm"));
    setWindowTitle(QStringLiteral("Ustawienia rozrachunków"));
    TerminEd = new QSpinBox(this);
    TerminEd->setRange(0, rozrachunki::MaxTerminDni);
    TerminEd->setSuffix(QStringLiteral(" dni"));
    NajstarszeCb = new QCheckBox(
        QStringLiteral("&Wpłatę bez numeru faktury w tytule rozliczaj z najstarszymi\n"
                       "należnościami, a nadpłatę z następną fakturą"),
        this);
    auto* uwaga = new QLabel(
        QStringLiteral("Termin kontrahenta (w oknie kontrahenta) ma pierwszeństwo przed "
                       "domyślnym.\nZmiana nie przesuwa terminów faktur już zaksięgowanych."),
        this);
    uwaga->setWordWrap(true);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Domyślny &termin płatności faktur:"), TerminEd);
    form->addRow(NajstarszeCb);
    form->addRow(uwaga);
    const DialogButtons b = layOutFormDialog(*this, form, QStringLiteral("&Zapisz"));
    ZapiszBtn = b.ok;
    AnulujBtn = b.anuluj;
    connect(ZapiszBtn, &QPushButton::clicked, this, &TUstawieniaRozrachunkowFrm::ZapiszBtnClick);
}

bool TUstawieniaRozrachunkowFrm::Przygotuj() {
    rozrachunki::Ustawienia u;
    try {
        db::Transaction tr(conn_, db::Isolation::ReadCommitted);
        tr.start();
        u = rozrachunki::CzytajUstawienia(tr);
        tr.commit();
    } catch (const db::Error& e) {
        Blad(QStringLiteral("Nie udało się odczytać ustawień rozrachunków.\r") + e.message());
        return false;
    }
    TerminEd->setValue(u.terminDni);
    NajstarszeCb->setChecked(u.najstarszeNajpierw);
    TerminEd->setFocus();
    return true;
}

int TUstawieniaRozrachunkowFrm::Execute() {
    if (!Przygotuj())
        return Rejected;
    return exec();
}

rozrachunki::Ustawienia TUstawieniaRozrachunkowFrm::Dane() const {
    return {TerminEd->value(), NajstarszeCb->isChecked()};
}

void TUstawieniaRozrachunkowFrm::ZapiszBtnClick() {
    try {
        rozrachunki::ZapiszUstawienia(conn_, Dane());
    } catch (const db::Error& e) {
        Blad(QStringLiteral("Nie udało się zapisać ustawień rozrachunków.\r") + e.message());
        return;
    }
    accept();
}
