#include "HistoriaImportow.h"

#include "BlokadaKsiegowania.h"
#include "OknoImportu.h"
#include "StringFun.h"
#include "WaitCursor.h"
#include "komun.h"

#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <exception>

namespace {

using cofniecie::Wpis;

QString czasTekst(const Wpis& w) {
    return w.moznaCofnac() ? w.zaksiegowano.toString(QStringLiteral("dd.MM.yyyy HH:mm"))
                           : QStringLiteral("(przed zapisem historii)");
}

std::vector<WierszeModel<Wpis>::Kolumna> kolumny(cofniecie::Rodzaj rodzaj) {
    using K = WierszeModel<Wpis>::Kolumna;
    std::vector<K> k{{QStringLiteral("Nr"), [](const Wpis& w) { return QString::number(w.id); }},
                     {QStringLiteral("Zaksięgowano"), czasTekst}};
    if (rodzaj == cofniecie::Rodzaj::Wyciag) {
        k.push_back({QStringLiteral("Wyciąg nr"), [](const Wpis& w) { return w.nrWyciagu; }});
        k.push_back(
            {QStringLiteral("Rachunek"), [](const Wpis& w) { return FormatKonto(w.konto); }});
    } else {
        k.push_back({QStringLiteral("Plik"), [](const Wpis& w) { return w.plik; }});
    }
    k.push_back({QStringLiteral("Operator"), [](const Wpis& w) { return w.operatorNazwa; }});
    k.push_back(
        {rodzaj == cofniecie::Rodzaj::Wyciag ? QStringLiteral("Wpłat") : QStringLiteral("Faktur"),
         [](const Wpis& w) { return QString::number(w.wierszy); }});
    k.push_back({QStringLiteral("Kwota"), [](const Wpis& w) { return w.kwota.format(QLocale()); }});
    return k;
}

} // namespace

HistoriaImportow::HistoriaImportow(db::Attachment& att, cofniecie::Rodzaj rodzaj, QWidget* parent)
    : QWidget(parent), att_(att), rodzaj_(rodzaj), model_(kolumny(rodzaj), this) {
    Grid = new QTableView;
    oknoimportu::UstawListe(Grid, &model_,
                            rodzaj == cofniecie::Rodzaj::Wyciag
                                ? std::initializer_list<int>{60, 120, 110, 230, 110, 60}
                                : std::initializer_list<int>{60, 120, 330, 110, 60});
    CofnijBtn = new QPushButton(QStringLiteral("C&ofnij import"));
    CofnijBtn->setAutoDefault(false);
    CofnijBtn->setToolTip(rodzaj == cofniecie::Rodzaj::Wyciag
                              ? QStringLiteral("Usuń wpłaty zaksięgowane z wybranego wyciągu")
                              : QStringLiteral("Usuń faktury zaksięgowane w wybranym imporcie"));
    auto* przyciski = new QHBoxLayout;
    przyciski->addWidget(new QLabel(QStringLiteral("Kontrahenci dopisani przez import pozostają "
                                                   "w wykazie po jego cofnięciu.")),
                         1);
    przyciski->addWidget(CofnijBtn);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(Grid, 1);
    lay->addLayout(przyciski);
    connect(CofnijBtn, &QPushButton::clicked, this, &HistoriaImportow::CofnijClick);
    oknoimportu::ZaznaczPierwszy(Grid, [this] { CofnijBtn->setEnabled(model_.rowCount() > 0); });
    CofnijBtn->setEnabled(false);
}

void HistoriaImportow::odswiez() {
    try {
        WaitCursor wait;
        model_.setRows(cofniecie::Historia(att_, rodzaj_));
    } catch (const std::exception& e) {
        model_.clear();
        Blad(QString::fromUtf8(e.what()));
    }
}

QString HistoriaImportow::pytanie(const Wpis& w) const {
    const QString kwota = w.kwota.format(QLocale());
    if (rodzaj_ == cofniecie::Rodzaj::Wyciag)
        return QStringLiteral("Cofnąć import wyciągu nr %1 (rachunek %2), zaksięgowany %3 przez "
                              "%4?\rZostanie usuniętych wpłat: %5 na kwotę %6.\rKontrahenci "
                              "dopisani przez ten import pozostaną w wykazie.")
            .arg(w.nrWyciagu, w.konto, czasTekst(w), w.operatorNazwa)
            .arg(w.wierszy)
            .arg(kwota);
    return QStringLiteral("Cofnąć import faktur z pliku %1, zaksięgowany %2 przez %3?\r"
                          "Zostanie usuniętych faktur: %4 na kwotę %5.\rKontrahenci dopisani "
                          "przez ten import pozostaną w wykazie.")
        .arg(w.plik, czasTekst(w), w.operatorNazwa)
        .arg(w.wierszy)
        .arg(kwota);
}

void HistoriaImportow::CofnijClick() {
    const Wpis* w = model_.row(Grid->selectionModel()->currentIndex().row());
    if (!w) {
        Uwaga(QStringLiteral("Wybierz z listy import do cofnięcia."));
        return;
    }
    if (!w->moznaCofnac()) {
        Uwaga(QStringLiteral("Tego importu nie można cofnąć: zaksięgowano go, zanim program "
                             "zapamiętywał wiersze importu. Jego wiersze usuń ręcznie."));
        return;
    }
    if (!ZgodaDefNo(pytanie(*w)))
        return;
    const Wpis wybrany = *w;
    cofniecie::Wynik wynik;
    QString odmowa;
    bool zrobiono = false;
    try {
        WaitCursor wait;
        zrobiono = PonawiajPrzyBlokadzie([&] {
            wynik = rodzaj_ == cofniecie::Rodzaj::Wyciag
                        ? cofniecie::CofnijWyciag(att_, wybrany.id)
                        : cofniecie::CofnijFaktury(att_, {wybrany.id});
        });
    } catch (const cofniecie::Odmowa& e) {
        odmowa = e.pelny();
    }
    odswiez();
    if (!odmowa.isEmpty()) {
        Uwaga(odmowa);
        return;
    }
    if (!zrobiono)
        return;
    emit cofnieto();
    Info(wynik.opis.join(u'\r'));
}
