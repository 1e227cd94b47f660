#include "frmWczytajKlienci.h"

#include "DialogButtons.h"
#include "Siatka.h"
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

    auto* top = oknoimportu::WierszPliku(QStringLiteral("&Nazwa pliku JPK_FAKTURA - plik xml:"),
                                         QStringLiteral("Przeglądanie"), PlikEd, PrzegladajBtn);
    Button1 = new QPushButton(QStringLiteral("&Utwórz listę"));
    top->addWidget(Button1);

    Tabs = new QTabWidget;
    Grid = new Siatka;
    oknoimportu::UstawListe(Grid, &model_, {110, 320});
    Tabs->addTab(Grid, QStringLiteral("Nowi kontrahenci"));
    raport_.dodaj(Tabs);
    Rap = raport_.tekst();

    PobierzNRB = new QCheckBox(QStringLiteral("Pobierz numery rachunków &bankowych kontrahentów"));
    PobierzNRB->setChecked(true);
    PobierzNRB->setToolTip(
        QStringLiteral("Pobranie numerów rachunków bankowych ze strony Ministerstwa Finanów"));
    Gauge = new QProgressBar;
    PostepLbl = new QLabel;
    PrzerwijBtn = new QPushButton(QStringLiteral("P&rzerwij"));
    KsiegujBtn = new QPushButton(QStringLiteral("&Dopisz do wykazu"));
    ZamknijBtn = new QPushButton(QStringLiteral("&Zamknij"));
    for (QPushButton* b : {PrzegladajBtn, KsiegujBtn, PrzerwijBtn, ZamknijBtn})
        b->setAutoDefault(false);
    Button1->setDefault(true);

    auto* progress = new QHBoxLayout;
    progress->addWidget(Gauge, 1);
    progress->addWidget(PostepLbl);
    progress->addWidget(PrzerwijBtn);
    auto* bottom = DolnyRzad({PobierzNRB}, {KsiegujBtn, ZamknijBtn});

    auto* lay = new QVBoxLayout(this);
    lay->addLayout(top);
    lay->addWidget(Tabs, 1);
    lay->addLayout(progress);
    lay->addLayout(bottom);

    connect(PrzegladajBtn, &QPushButton::clicked, this, &TWczytajKlienciFrm::PrzegladajClick);
    connect(Button1, &QPushButton::clicked, this, &TWczytajKlienciFrm::Button1Click);
    connect(KsiegujBtn, &QPushButton::clicked, this, &TWczytajKlienciFrm::KsiegujBtnClick);
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
    for (QWidget* w :
         std::initializer_list<QWidget*>{PlikEd, PrzegladajBtn, Button1, ZamknijBtn, PobierzNRB})
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
    const oknoimportu::WynikOdczytu wynik = oknoimportu::CzytajListe(
        [&] {
            ListaNowychKlientow(
                xml, [this](const QString& nip) { return dm_.jestKlient(nip); },
                [&rows](const NowyKlient& k) { rows.push_back(k); });
        },
        // After a failure the buyers read before it stay listed.
        [&](const oknoimportu::WynikOdczytu&) { model_.setRows(std::move(rows)); });
    Tabs->setCurrentIndex(0);
    if (!wynik.odmowa.isEmpty()) {
        Uwaga(wynik.odmowa);
        return;
    }
    KsiegujBtn->setEnabled(model_.rowCount() > 0);
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
    Rap->clear();
    if (!Zgoda(QStringLiteral("Dopisać kontrahentów do wykazu?")))
        return;
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
    try {
        WaitCursor wait;
        wynik = run.run(model_.rows());
    } catch (const std::exception& e) {
        blad = QString::fromUtf8(e.what());
    }
    trwa_ = false;
    UpdateBtns();
    KsiegujBtn->setEnabled(model_.rowCount() > 0);
    raport_.wybierzGdyNapisany();
    dm_.OtworzKlient();
    if (!wynik.ostatniNip.isEmpty())
        dm_.Klient.locate(QStringLiteral("NR_NIP"), wynik.ostatniNip);
    if (!blad.isEmpty()) {
        Blad(blad);
        return;
    }
    if (wynik.limit)
        Uwaga(KomunikatLimitu(wynik.dodani));
    Info(QStringLiteral("Zakończono dopisywanie kontrahentów."));
}

void TWczytajKlienciFrm::reject() {
    if (trwa_)
        return; // "Przerwij" stops the run; closing now would leave it half-way unseen
    QDialog::reject();
}
