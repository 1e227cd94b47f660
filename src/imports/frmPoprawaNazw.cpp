#include "frmPoprawaNazw.h"

#include "DialogButtons.h"
#include "Siatka.h"
#include "WaitCursor.h"
#include "fks.h"
#include "komun.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

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
    : QDialog(parent), ks_(ks), poprawa_(ks),
      model_({{QStringLiteral("Numer VAT"), [](const PoprawaNazwyWiersz& w) { return w.NIP; }},
              {QStringLiteral("Nazwa kontrahenta"),
               [](const PoprawaNazwyWiersz& w) { return w.NazwaTb; }},
              {QStringLiteral("Adres kontrahenta"),
               [](const PoprawaNazwyWiersz& w) { return w.AdresTb; }}},
             this) {
    setWindowTitle(QStringLiteral("Korekta nazw i adresów kontrahentów na podstawie pliku faktur"));
    setMinimumSize(700, 500);
    resize(820, 600);

    auto* top = oknoimportu::WierszPliku(QStringLiteral("&Nazwa pliku JPK_FAKTURA - plik xml:"),
                                         QStringLiteral("Przeglądanie"), PlikEd, PrzegladajBtn);
    WczytajBtn = new QPushButton(QStringLiteral("&Wczytaj"));
    top->addWidget(WczytajBtn);

    Tabs = new QTabWidget;
    auto* szczegoly = new QWidget;
    auto* szLay = new QVBoxLayout(szczegoly);
    auto* nipRow = new QFormLayout;
    NipLbl = pole();
    nipRow->addRow(QStringLiteral("Numer VAT:"), NipLbl);
    szLay->addLayout(nipRow);
    auto* system = new QGroupBox(QStringLiteral("Dane w systemie "));
    auto* sysForm = new QFormLayout(system);
    NazwaTbLbl = pole();
    AdresTbLbl = pole();
    sysForm->addRow(QStringLiteral("Nazwa:"), NazwaTbLbl);
    sysForm->addRow(QStringLiteral("Adres:"), AdresTbLbl);
    auto* plik = new QGroupBox(QStringLiteral("Dane w pliku faktur"));
    auto* plikForm = new QFormLayout(plik);
    NazwaFkLbl = pole();
    AdresFkLbl = pole();
    plikForm->addRow(QStringLiteral("Nazwa:"), NazwaFkLbl);
    plikForm->addRow(QStringLiteral("Adres:"), AdresFkLbl);
    szLay->addWidget(system);
    szLay->addWidget(plik);
    szLay->addStretch();
    Tabs->addTab(szczegoly, QStringLiteral("Szczegóły"));
    raport_.dodaj(Tabs);
    Rap = raport_.tekst();

    Grid = new Siatka;
    oknoimportu::UstawListe(Grid, &model_, {110, 320});

    KsiegujBtn = new QPushButton(QStringLiteral("&Aktualizuj kontrahentów"));
    ZamknijBtn = new QPushButton(QStringLiteral("&Zamknij"));
    for (QPushButton* b : {PrzegladajBtn, KsiegujBtn, ZamknijBtn})
        b->setAutoDefault(false);
    WczytajBtn->setDefault(true);
    auto* bottom = DolnyRzad({}, {KsiegujBtn, ZamknijBtn});

    auto* lay = new QVBoxLayout(this);
    lay->addLayout(top);
    lay->addWidget(Tabs);
    lay->addWidget(Grid, 1);
    lay->addLayout(bottom);

    connect(PrzegladajBtn, &QPushButton::clicked, this, &TPoprawaNazwFrm::PrzegladajClick);
    connect(WczytajBtn, &QPushButton::clicked, this, &TPoprawaNazwFrm::WczytajBtnClick);
    connect(KsiegujBtn, &QPushButton::clicked, this, &TPoprawaNazwFrm::KsiegujBtnClick);
    connect(ZamknijBtn, &QPushButton::clicked, this, &TPoprawaNazwFrm::reject);
    connect(Grid, &Siatka::biezacyZmieniony, this, &TPoprawaNazwFrm::PokazSzczegoly);
    oknoimportu::ZaznaczPierwszy(Grid, [this] { PokazSzczegoly(); });
    KsiegujBtn->setEnabled(false);
}

void TPoprawaNazwFrm::Resetuj() {
    FBylaModyfikacja = false;
    raport_.pokaz(false);
    KsiegujBtn->setEnabled(false);
    Rap->clear();
    model_.clear();
    ks_.start();
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
    if (const std::optional<JpkDocument> xml = oknoimportu::OtworzJpk(PlikEd->text()))
        Wczytaj(*xml);
}

void TPoprawaNazwFrm::Wczytaj(const JpkDocument& xml) {
    raport_.pokaz(false);
    model_.clear();
    KsiegujBtn->setEnabled(false);
    std::vector<PoprawaNazwyWiersz> rows;
    const oknoimportu::WynikOdczytu wynik = oknoimportu::CzytajListe(
        [&] {
            if (!ks_.active())
                ks_.start();
            poprawa_.Wczytaj(xml, [&rows](const PoprawaNazwyWiersz& w) { rows.push_back(w); });
        },
        [&](const oknoimportu::WynikOdczytu& w) {
            model_.setRows(w.odmowa.isEmpty() ? std::move(rows)
                                              : std::vector<PoprawaNazwyWiersz>{});
        });
    if (!wynik.odmowa.isEmpty()) {
        Uwaga(wynik.odmowa);
        return;
    }
    KsiegujBtn->setEnabled(model_.rowCount() > 0);
    if (!wynik.blad.isEmpty())
        Blad(wynik.blad);
    else if (model_.rowCount() == 0)
        Info(QStringLiteral("Brak pozycji do modyfikacji.\rWszyscy kontrahenci mają nazwy\r"
                            "takie same jak w pliku faktur."));
}

void TPoprawaNazwFrm::PokazSzczegoly() {
    const PoprawaNazwyWiersz* w = model_.row(Grid->biezacyWiersz());
    NipLbl->setText(w ? w->NIP : QString());
    NazwaTbLbl->setText(w ? w->NazwaTb : QString());
    AdresTbLbl->setText(w ? w->AdresTb : QString());
    NazwaFkLbl->setText(w ? w->NazwaFk : QString());
    AdresFkLbl->setText(w ? w->AdresFk : QString());
}

void TPoprawaNazwFrm::KsiegujBtnClick() {
    if (!KsiegujBtn->isEnabled())
        return;
    Rap->clear();
    if (!Zgoda(QStringLiteral("Wykonać aktualizację nazw kontrahentów?")))
        return;
    QString blad;
    try {
        WaitCursor wait;
        if (!ks_.active())
            ks_.start();
        for (const PoprawaNazwyWiersz& w : model_.rows())
            if (poprawa_.ModyfKlient(w.KlientId, w.NazwaFk, w.AdresFk))
                FBylaModyfikacja = true;
    } catch (const std::exception& e) {
        blad = QString::fromUtf8(e.what());
    }
    // The changes are made durable now, not only when the window closes: other
    // workstations see them at once and the changed rows stay locked no longer than needed.
    zatwierdz();
    if (!blad.isEmpty()) {
        Blad(blad);
        return;
    }
    raport_.wybierzGdyNapisany();
    Info(QStringLiteral("Zakończono aktualizację nazw kontrahentów."));
}

void TPoprawaNazwFrm::zatwierdz() {
    if (!ks_.active())
        return;
    try {
        ks_.commit();
    } catch (const std::exception& e) {
        ks_.rollback();
        Blad(QString::fromUtf8(e.what()));
    }
}

void TPoprawaNazwFrm::done(int r) {
    zatwierdz();
    QDialog::done(r);
}
