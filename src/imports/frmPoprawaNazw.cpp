#include "frmPoprawaNazw.h"

#include "BlokadaKsiegowania.h"
#include "WaitCursor.h"
#include "fks.h"
#include "komun.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>

namespace {
QLabel* pole() {
    auto* l = new QLabel;
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    l->setMinimumWidth(300);
    return l;
}
} // namespace

TPoprawaNazwFrm::TPoprawaNazwFrm(Tks& ks, QWidget* parent)
    : QDialog(parent), poprawa_(ks),
      model_({{QStringLiteral("Numer VAT"), [](const PoprawaNazwyWiersz& w) { return w.NIP; }},
              {QStringLiteral("Nazwa kontrahenta"),
               [](const PoprawaNazwyWiersz& w) { return w.NazwaTb; }},
              {QStringLiteral("Adres kontrahenta"),
               [](const PoprawaNazwyWiersz& w) { return w.AdresTb; }}},
             this, true) {
    setWindowTitle(QStringLiteral("Korekta nazw i adresów kontrahentów na podstawie pliku faktur"));
    setMinimumSize(700, 500);
    resize(820, 600);

    auto* top = oknoimportu::WierszPliku(QStringLiteral("Nazwa pliku JPK_FAKTURA - plik xml"),
                                         QStringLiteral("Przeglądanie"), PlikEd, PrzegladajBtn);
    WczytajBtn = new QPushButton(QStringLiteral("&Wczytaj"));
    top->addWidget(WczytajBtn);

    Tabs = new QTabWidget;
    auto* szczegoly = new QWidget;
    auto* szLay = new QVBoxLayout(szczegoly);
    auto* nipRow = new QFormLayout;
    NipLbl = pole();
    nipRow->addRow(QStringLiteral("Numer VAT"), NipLbl);
    szLay->addLayout(nipRow);
    auto* system = new QGroupBox(QStringLiteral("Dane w systemie "));
    auto* sysForm = new QFormLayout(system);
    NazwaTbLbl = pole();
    AdresTbLbl = pole();
    sysForm->addRow(QStringLiteral("Nazwa"), NazwaTbLbl);
    sysForm->addRow(QStringLiteral("Adres"), AdresTbLbl);
    auto* plik = new QGroupBox(QStringLiteral("Dane w pliku faktur"));
    auto* plikForm = new QFormLayout(plik);
    NazwaFkLbl = pole();
    AdresFkLbl = pole();
    plikForm->addRow(QStringLiteral("Nazwa"), NazwaFkLbl);
    plikForm->addRow(QStringLiteral("Adres"), AdresFkLbl);
    szLay->addWidget(system);
    szLay->addWidget(plik);
    szLay->addStretch();
    Tabs->addTab(szczegoly, QStringLiteral("Szczegóły"));
    raport_.dodaj(Tabs);
    Rap = raport_.tekst();

    Grid = new QTableView;
    oknoimportu::UstawListe(Grid, &model_, {110, 320});

    KsiegujBtn = new QPushButton(QStringLiteral("&Aktualizuj kontrahentów"));
    ZamknijBtn = new QPushButton(QStringLiteral("&Zamknij"));
    ZaznaczBtn = new QPushButton(QStringLiteral("Zaz&nacz wszystkie"));
    OdznaczBtn = new QPushButton(QStringLiteral("&Odznacz wszystkie"));
    for (QPushButton* b : {PrzegladajBtn, KsiegujBtn, ZamknijBtn, ZaznaczBtn, OdznaczBtn})
        b->setAutoDefault(false);
    WczytajBtn->setDefault(true);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(ZaznaczBtn);
    bottom->addWidget(OdznaczBtn);
    bottom->addSpacing(12);
    bottom->addWidget(KsiegujBtn);
    bottom->addStretch();
    bottom->addWidget(ZamknijBtn);

    auto* lay = new QVBoxLayout(this);
    lay->addLayout(top);
    lay->addWidget(Tabs);
    lay->addWidget(Grid, 1);
    lay->addLayout(bottom);

    connect(PrzegladajBtn, &QPushButton::clicked, this, &TPoprawaNazwFrm::PrzegladajClick);
    connect(WczytajBtn, &QPushButton::clicked, this, &TPoprawaNazwFrm::WczytajBtnClick);
    connect(KsiegujBtn, &QPushButton::clicked, this, &TPoprawaNazwFrm::KsiegujBtnClick);
    connect(ZamknijBtn, &QPushButton::clicked, this, &TPoprawaNazwFrm::reject);
    connect(ZaznaczBtn, &QPushButton::clicked, this, [this] { model_.zaznaczWszystkie(true); });
    connect(OdznaczBtn, &QPushButton::clicked, this, [this] { model_.zaznaczWszystkie(false); });
    connect(Grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TPoprawaNazwFrm::PokazSzczegoly);
    oknoimportu::ZaznaczPierwszy(Grid, [this] { PokazSzczegoly(); });
    UpdateBtns();
}

void TPoprawaNazwFrm::Resetuj() {
    FBylaModyfikacja = false;
    raport_.pokaz(false);
    Rap->clear();
    model_.clear();
    xml_.reset();
    UpdateBtns();
}

void TPoprawaNazwFrm::UpdateBtns() {
    const bool sa = model_.rowCount() > 0;
    for (QPushButton* b : {KsiegujBtn, ZaznaczBtn, OdznaczBtn})
        b->setEnabled(sa);
}

void TPoprawaNazwFrm::Execute() {
    Resetuj();
    oknoimportu::Wysrodkuj(this);
    exec();
}

bool TPoprawaNazwFrm::raportWidoczny() const {
    return raport_.widoczna();
}

void TPoprawaNazwFrm::PrzegladajClick() {
    oknoimportu::WybierzPlik(this, PlikEd, QStringLiteral("Pliki xml (*.xml)"));
}

void TPoprawaNazwFrm::WczytajBtnClick() {
    xml_ = oknoimportu::OtworzJpk(PlikEd->text());
    if (xml_)
        Wczytaj(*xml_, true);
}

void TPoprawaNazwFrm::Wczytaj(const JpkDocument& xml, bool powiedzBrak) {
    // Rows the user left out stay left out when the list is compared again.
    std::vector<PoprawaNazwyWiersz> pominieteWybory;
    for (int i = 0; i < model_.rowCount(); ++i)
        if (!model_.zaznaczony(i))
            pominieteWybory.push_back(*model_.row(i));
    raport_.pokaz(false);
    model_.clear();
    UpdateBtns();
    std::vector<PoprawaNazwyWiersz> rows;
    QStringList pominiete;
    const oknoimportu::WynikOdczytu wynik = oknoimportu::CzytajListe(
        [&] {
            poprawa_.Wczytaj(
                xml, [&rows](const PoprawaNazwyWiersz& w) { rows.push_back(w); },
                [&pominiete](const QString& line) { pominiete << line; });
        },
        [&](const oknoimportu::WynikOdczytu& w) {
            model_.setRows(w.odmowa.isEmpty() ? std::move(rows)
                                              : std::vector<PoprawaNazwyWiersz>{});
        });
    if (!wynik.odmowa.isEmpty()) {
        Uwaga(wynik.odmowa);
        return;
    }
    if (!powiedzBrak)
        for (int i = 0; i < model_.rowCount(); ++i)
            if (std::find(pominieteWybory.begin(), pominieteWybory.end(), *model_.row(i)) !=
                pominieteWybory.end())
                model_.zaznacz(i, false);
    UpdateBtns();
    // Invoices whose buyer could not be compared are named, not lost.
    if (!pominiete.isEmpty()) {
        Rap->setPlainText(pominiete.join(u'\n'));
        raport_.pokaz(true);
    }
    if (!wynik.blad.isEmpty())
        Blad(wynik.blad);
    else if (model_.rowCount() == 0 && powiedzBrak)
        Uwaga(QStringLiteral("Brak pozycji do modyfikacji.\rWszyscy kontrahenci mają nazwy\r"
                             "takie same jak w pliku faktur."));
}

void TPoprawaNazwFrm::PokazSzczegoly() {
    const PoprawaNazwyWiersz* w = model_.row(Grid->selectionModel()->currentIndex().row());
    NipLbl->setText(w ? w->NIP : QString());
    NazwaTbLbl->setText(w ? w->NazwaTb : QString());
    AdresTbLbl->setText(w ? w->AdresTb : QString());
    NazwaFkLbl->setText(w ? w->NazwaFk : QString());
    AdresFkLbl->setText(w ? w->AdresFk : QString());
}

void TPoprawaNazwFrm::KsiegujBtnClick() {
    if (!KsiegujBtn->isEnabled())
        return;
    const std::vector<PoprawaNazwyWiersz> wybrane = model_.zaznaczoneWiersze();
    if (wybrane.empty()) {
        Uwaga(QStringLiteral("Nie zaznaczono żadnego kontrahenta do aktualizacji."));
        return;
    }
    if (!Zgoda(QStringLiteral("Wykonać aktualizację nazw kontrahentów?")))
        return;
    // The list was read without the lock; the changes are written now, in one short
    // transaction under it, each row checked again.
    WynikPoprawy wynik;
    QString blad;
    bool zapisano = false;
    try {
        WaitCursor wait;
        zapisano = PonawiajPrzyBlokadzie([&] { wynik = poprawa_.Aktualizuj(wybrane); });
    } catch (const std::exception& e) {
        blad = QString::fromUtf8(e.what());
    }
    if (!blad.isEmpty()) {
        Blad(blad + QStringLiteral("\rNic nie zostało zmienione."));
        return;
    }
    if (!zapisano)
        return;
    if (wynik.zmiany > 0)
        FBylaModyfikacja = true;
    // The result at once: the file compared again (the rows changed are gone from the list)
    // and what was done in the report.
    if (xml_)
        Wczytaj(*xml_, false);
    Rap->setPlainText(wynik.raport.join(u'\n'));
    raport_.wybierz();
    Uwaga(QStringLiteral("Zakończono aktualizację nazw kontrahentów."));
}
