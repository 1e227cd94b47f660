#include "frmWczytajKlienci.h"

#include "BlokadaKsiegowania.h"
#include "PobierzKonta.h"
#include "WaitCursor.h"
#include "fdm.h"
#include "komun.h"
#include "uWhiteListFrm.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <exception>

TWczytajKlienciFrm::TWczytajKlienciFrm(Tdm& dm, TWhiteListFrm& whiteList, QWidget* parent)
    : QDialog(parent), dm_(dm), whiteList_(whiteList),
      model_({{QStringLiteral("Numer VAT"), [](const NowyKlient& k) { return k.NIP; }},
              {QStringLiteral("Nazwa kontrahenta"), [](const NowyKlient& k) { return k.Nazwa; }},
              {QStringLiteral("Adres kontrahenta"), [](const NowyKlient& k) { return k.Adres; }}},
             this) {
    setWindowTitle(QStringLiteral("Wczytanie danych kontrahentów z pliku JPK_FAKTURA"));
    setMinimumSize(700, 480);
    resize(820, 560);

    auto* top = oknoimportu::WierszPliku(QStringLiteral("Nazwa pliku JPK_FAKTURA - plik xml"),
                                         QStringLiteral("Przeglądanie"), PlikEd, PrzegladajBtn);
    Button1 = new QPushButton(QStringLiteral("&Utwórz listę"));
    top->addWidget(Button1);

    Tabs = new QTabWidget;
    Grid = new QTableView;
    oknoimportu::UstawListe(Grid, &model_, {110, 320});
    Tabs->addTab(Grid, QStringLiteral("Nowi kontrahenci"));
    raport_.dodaj(Tabs);
    Rap = raport_.tekst();

    PobierzNRB = new QCheckBox(QStringLiteral("Pobierz numery rachunków bankowych kontrahentów  "));
    PobierzNRB->setChecked(true);
    PobierzNRB->setToolTip(
        QStringLiteral("Pobranie numerów rachunków bankowych ze strony Ministerstwa Finanów"));
    Gauge = new QProgressBar;
    PostepLbl = new QLabel;
    PrzerwijBtn = new QPushButton(QStringLiteral("Przerwij"));
    KsiegujBtn = new QPushButton(QStringLiteral("Dopisz do wykazu"));
    BrakujaceBtn = new QPushButton(QStringLiteral("Pobierz &brakujące rachunki"));
    BrakujaceBtn->setToolTip(QStringLiteral("Pobierz z białej listy VAT numery rachunków "
                                            "kontrahentów, którzy nie mają żadnego rachunku"));
    ZamknijBtn = new QPushButton(QStringLiteral("&Zamknij"));
    for (QPushButton* b : {PrzegladajBtn, KsiegujBtn, BrakujaceBtn, PrzerwijBtn, ZamknijBtn})
        b->setAutoDefault(false);
    Button1->setDefault(true);

    auto* progress = new QHBoxLayout;
    progress->addWidget(Gauge, 1);
    progress->addWidget(PostepLbl);
    progress->addWidget(PrzerwijBtn);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(PobierzNRB);
    bottom->addStretch();
    bottom->addWidget(BrakujaceBtn);
    bottom->addWidget(KsiegujBtn);
    bottom->addWidget(ZamknijBtn);

    auto* lay = new QVBoxLayout(this);
    lay->addLayout(top);
    lay->addWidget(Tabs, 1);
    lay->addLayout(progress);
    lay->addLayout(bottom);

    connect(PrzegladajBtn, &QPushButton::clicked, this, &TWczytajKlienciFrm::PrzegladajClick);
    connect(Button1, &QPushButton::clicked, this, &TWczytajKlienciFrm::Button1Click);
    connect(KsiegujBtn, &QPushButton::clicked, this, &TWczytajKlienciFrm::KsiegujBtnClick);
    connect(BrakujaceBtn, &QPushButton::clicked, this, &TWczytajKlienciFrm::BrakujaceBtnClick);
    connect(PrzerwijBtn, &QPushButton::clicked, this, [this] {
        przerwij_ = true;
        PrzerwijBtn->setEnabled(false);
        PostepLbl->setText(PostepLbl->text() + QStringLiteral(" – przerywanie…"));
    });
    connect(ZamknijBtn, &QPushButton::clicked, this, &TWczytajKlienciFrm::reject);
    oknoimportu::ZaznaczPierwszy(Grid);
    Resetuj();
}

void TWczytajKlienciFrm::Resetuj() {
    FBylaModyfikacja = false;
    raport_.pokaz(false);
    Rap->clear();
    model_.clear();
    KsiegujBtn->setEnabled(false);
    UpdateBtns();
}

void TWczytajKlienciFrm::Execute() {
    Resetuj();
    oknoimportu::Wysrodkuj(this);
    exec();
}

bool TWczytajKlienciFrm::raportWidoczny() const {
    return raport_.widoczna();
}

void TWczytajKlienciFrm::UpdateBtns() {
    for (QWidget* w : std::initializer_list<QWidget*>{PlikEd, PrzegladajBtn, Button1, ZamknijBtn,
                                                      PobierzNRB, BrakujaceBtn})
        w->setEnabled(!trwa_);
    if (trwa_)
        KsiegujBtn->setEnabled(false);
    Gauge->setVisible(trwa_);
    PostepLbl->setVisible(trwa_);
    PrzerwijBtn->setVisible(trwa_);
}

void TWczytajKlienciFrm::PrzegladajClick() {
    oknoimportu::WybierzPlik(this, PlikEd, QStringLiteral("Pliki xml (*.xml)"));
}

void TWczytajKlienciFrm::Button1Click() {
    if (trwa_)
        return;
    if (const std::optional<JpkDocument> xml = oknoimportu::OtworzJpk(PlikEd->text()))
        Wczytaj(*xml);
}

void TWczytajKlienciFrm::Wczytaj(const JpkDocument& xml) {
    raport_.pokaz(false);
    model_.clear();
    KsiegujBtn->setEnabled(false);
    std::vector<NowyKlient> rows;
    QStringList pominieci;
    const oknoimportu::WynikOdczytu wynik = oknoimportu::CzytajListe(
        [&] {
            ListaNowychKlientow(
                xml, [this](const QString& nip) { return dm_.jestKlient(nip); },
                [&rows](const NowyKlient& k) { rows.push_back(k); },
                [&pominieci](const QString& line) { pominieci << line; });
        },
        // After a failure the buyers read before it stay listed.
        [&](const oknoimportu::WynikOdczytu&) { model_.setRows(std::move(rows)); });
    Tabs->setCurrentIndex(0);
    if (!wynik.odmowa.isEmpty()) {
        Uwaga(wynik.odmowa);
        return;
    }
    KsiegujBtn->setEnabled(model_.rowCount() > 0);
    // Buyers that cannot be added are named at once, with the reason.
    if (!pominieci.isEmpty()) {
        Rap->setPlainText(pominieci.join(u'\n'));
        raport_.pokaz(true);
    }
    if (!wynik.blad.isEmpty())
        Blad(wynik.blad);
    else if (model_.rowCount() == 0)
        Info(QStringLiteral("Brak pozycji do wczytania.\rWszyscy kontrahenci znajdujący się "
                            "\rw pliku JPK są już w wykazie."));
}

void TWczytajKlienciFrm::UpdateGauge(int done, int count) {
    Gauge->setRange(0, count);
    Gauge->setValue(done);
    PostepLbl->setText(QStringLiteral("%1 z %2").arg(done).arg(count) +
                       (przerwij_ ? QStringLiteral(" – przerywanie…") : QString()));
    if (!gaugeTimer_.isValid() || gaugeTimer_.elapsed() >= 50 || done == count) {
        QCoreApplication::processEvents();
        gaugeTimer_.restart();
    }
}

void TWczytajKlienciFrm::KsiegujBtnClick() {
    if (trwa_ || !KsiegujBtn->isEnabled())
        return;
    if (!Zgoda(QStringLiteral("Dopisać kontrahentów do wykazu?")))
        return;
    const QString przedtem = Rap->toPlainText(); // the buyers the listing passed over
    trwa_ = true;
    przerwij_ = false;
    PrzerwijBtn->setEnabled(true);
    UpdateBtns();
    gaugeTimer_.invalidate();
    UpdateGauge(0, model_.rowCount());

    DopisywanieKlientow run(
        dm_.conn, PobierzNRB->isChecked() ? &whiteList_ : nullptr,
        [this](int done, int count) { UpdateGauge(done, count); }, [this] { return przerwij_; });
    WynikDopisywania wynik;
    QString blad;
    bool anulowano = false;
    try {
        WaitCursor wait;
        anulowano = !PonawiajPrzyBlokadzie([&] { wynik = run.run(model_.rows()); });
    } catch (const std::exception& e) {
        blad = QString::fromUtf8(e.what());
    }
    trwa_ = false;
    UpdateBtns();
    KsiegujBtn->setEnabled(model_.rowCount() > 0);
    Rap->setPlainText((QStringList{przedtem} + wynik.raport).join(u'\n').trimmed());
    raport_.wybierzGdyNapisany();
    dm_.OtworzKlient();
    if (!wynik.ostatniNip.isEmpty())
        dm_.Klient.locate(QStringLiteral("NR_NIP"), wynik.ostatniNip);
    if (!blad.isEmpty()) {
        Blad(blad);
        return;
    }
    if (anulowano)
        return;
    if (wynik.limit)
        Uwaga(KomunikatLimitu(wynik.dodani));
    if (wynik.nieudane > 0)
        Uwaga(KomunikatNieudanych(wynik.nieudane));
    Info(QStringLiteral("Zakończono dopisywanie kontrahentów."));
}

void TWczytajKlienciFrm::BrakujaceBtnClick() {
    if (trwa_)
        return;
    if (!Zgoda(QStringLiteral("Pobrać z białej listy VAT numery rachunków kontrahentów,\r"
                              "którzy nie mają żadnego rachunku?")))
        return;
    trwa_ = true;
    przerwij_ = false;
    PrzerwijBtn->setEnabled(true);
    UpdateBtns();
    gaugeTimer_.invalidate();
    UpdateGauge(0, 1);
    PobieranieKont run(
        dm_.conn, whiteList_, [this](int done, int count) { UpdateGauge(done, count); },
        [this] { return przerwij_; });
    WynikPobieraniaKont wynik;
    QString blad;
    bool anulowano = false;
    try {
        WaitCursor wait;
        anulowano = !PonawiajPrzyBlokadzie([&] { wynik = run.run(true); });
    } catch (const std::exception& e) {
        blad = QString::fromUtf8(e.what());
    }
    trwa_ = false;
    UpdateBtns();
    KsiegujBtn->setEnabled(model_.rowCount() > 0);
    Rap->setPlainText(wynik.raport.join(u'\n'));
    raport_.wybierzGdyNapisany();
    dm_.OtworzKlient();
    if (!blad.isEmpty()) {
        Blad(blad);
        return;
    }
    if (anulowano)
        return;
    if (wynik.limit)
        Uwaga(QStringLiteral("Wyczerpano dzienny limit zapytań do wykazu podatników VAT "
                             "(białej listy).\rPozostałe rachunki można pobrać po odnowieniu "
                             "limitu."));
    if (wynik.nieudane > 0)
        Uwaga(QStringLiteral("Nie udało się pobrać numerów rachunków dla %1 kontrahentów "
                             "(powody w raporcie).")
                  .arg(wynik.nieudane));
    Info(PodsumowaniePobierania(wynik));
}

void TWczytajKlienciFrm::reject() {
    if (trwa_)
        return; // "Przerwij" stops the run; closing now would leave it half-way unseen
    QDialog::reject();
}
