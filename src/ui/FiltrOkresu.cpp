#include "FiltrOkresu.h"

#include "Dataset.h"
#include "PoleDaty.h"
#include "Wyglad.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>

FiltrOkresu::FiltrOkresu(QWidget* parent) : QWidget(parent) {
    const QDate dzis = QDate::currentDate();
    Wlaczony = new QCheckBox(QStringLiteral("&Okres"), this);
    OdEd = new PoleDaty(QDate(dzis.year(), 1, 1), this);
    DoEd = new PoleDaty(dzis, this);
    auto* odLbl = new QLabel(QStringLiteral("od d&nia:"), this);
    odLbl->setBuddy(OdEd);
    auto* doLbl = new QLabel(QStringLiteral("do dn&ia:"), this);
    doLbl->setBuddy(DoEd);
    auto* lay = new QHBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addWidget(Wlaczony);
    lay->addWidget(odLbl);
    lay->addWidget(OdEd);
    lay->addWidget(doLbl);
    lay->addWidget(DoEd);
    lay->addStretch();
    // A date box that takes a changed date ticks the filter: the user meant the period.
    connect(OdEd, &QDateEdit::dateChanged, this, [this] {
        Wlaczony->setChecked(true);
        zastosuj();
    });
    connect(DoEd, &QDateEdit::dateChanged, this, [this] {
        Wlaczony->setChecked(true);
        zastosuj();
    });
    connect(Wlaczony, &QCheckBox::toggled, this, &FiltrOkresu::zastosuj);
}

bool FiltrOkresu::pasuje(const Date& data) const {
    if (!Wlaczony->isChecked())
        return true;
    const QDate d = data.qdate();
    return !data.isZero() && d >= OdEd->date() && d <= DoEd->date();
}

void FiltrOkresu::ustaw(const QDate& od, const QDate& do_) {
    const QSignalBlocker a(OdEd), b(DoEd), c(Wlaczony);
    OdEd->setDate(od);
    DoEd->setDate(do_);
    Wlaczony->setChecked(true);
    zastosuj();
}

void FiltrOkresu::podlacz(Dataset* lista, const QString& poleDaty) {
    lista_ = lista;
    pole_ = poleDaty;
    zastosuj();
}

void FiltrOkresu::odlacz() {
    if (lista_) {
        lista_->setFilter({});
        lista_->refilter();
    }
    lista_ = nullptr;
}

void FiltrOkresu::zastosuj() {
    if (lista_) {
        if (Wlaczony->isChecked()) {
            const QString pole = pole_;
            lista_->setFilter([this, pole](const db::Row& r) { return pasuje(r[pole].toDate()); });
        } else {
            lista_->setFilter({});
        }
        lista_->refilter();
    }
    emit zmieniony();
}
