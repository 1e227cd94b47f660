#include "frmWczytajKlienci.h"

#include "JpkReader.h"
#include "WaitCursor.h"
#include "fdm.h"
#include "komun.h"
#include "uWhiteListFrm.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <exception>
#include <optional>

TWczytajKlienciFrm::TWczytajKlienciFrm(Tdm& dm, TWhiteListFrm& whiteList, QWidget* parent)
    : QDialog(parent), dm_(dm), whiteList_(whiteList),
      model_({{QStringLiteral("Numer VAT"), [](const NowyKlient& k) { return k.NIP; }},
              {QStringLiteral("Nazwa kontrahenta"), [](const NowyKlient& k) { return k.Nazwa; }},
              {QStringLiteral("Adres kontrahenta"), [](const NowyKlient& k) { return k.Adres; }}},
             this) {
    setWindowTitle(QStringLiteral("Wczytanie danych kontrahentów z pliku JPK_FAKTURA"));
    setMinimumSize(700, 480);
    resize(820, 560);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Nazwa pliku JPK_FAKTURA - plik xml")));
    PlikEd = new QLineEdit;
    top->addWidget(PlikEd, 1);
    PrzegladajBtn = new QPushButton(QStringLiteral("..."));
    PrzegladajBtn->setToolTip(QStringLiteral("Przeglądanie"));
    top->addWidget(PrzegladajBtn);
    Button1 = new QPushButton(QStringLiteral("&Utwórz listę"));
    top->addWidget(Button1);

    Tabs = new QTabWidget;
    Grid = new QTableView;
    Grid->setModel(&model_);
    Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid->setSelectionMode(QAbstractItemView::SingleSelection);
    Grid->verticalHeader()->hide();
    Grid->setWordWrap(false);
    Grid->horizontalHeader()->setStretchLastSection(true);
    Grid->setColumnWidth(0, 110);
    Grid->setColumnWidth(1, 320);
    Tabs->addTab(Grid, QStringLiteral("Nowi kontrahenci"));
    RaportTab = new QWidget;
    auto* rapLay = new QVBoxLayout(RaportTab);
    Rap = new QPlainTextEdit;
    Rap->setReadOnly(true);
    rapLay->addWidget(Rap);
    Tabs->addTab(RaportTab, QStringLiteral("Raport"));

    PobierzNRB = new QCheckBox(QStringLiteral("Pobierz numery rachunków bankowych kontrahentów  "));
    PobierzNRB->setChecked(true);
    PobierzNRB->setToolTip(
        QStringLiteral("Pobranie numerów rachunków bankowych ze strony Ministerstwa Finanów"));
    Gauge = new QProgressBar;
    PostepLbl = new QLabel;
    PrzerwijBtn = new QPushButton(QStringLiteral("Przerwij"));
    KsiegujBtn = new QPushButton(QStringLiteral("Dopisz do wykazu"));
    ZamknijBtn = new QPushButton(QStringLiteral("&Zamknij"));
    for (QPushButton* b : {PrzegladajBtn, KsiegujBtn, PrzerwijBtn, ZamknijBtn})
        b->setAutoDefault(false);
    Button1->setDefault(true);

    auto* progress = new QHBoxLayout;
    progress->addWidget(Gauge, 1);
    progress->addWidget(PostepLbl);
    progress->addWidget(PrzerwijBtn);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(PobierzNRB);
    bottom->addStretch();
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
    connect(PrzerwijBtn, &QPushButton::clicked, this, [this] {
        przerwij_ = true;
        PrzerwijBtn->setEnabled(false);
        PostepLbl->setText(PostepLbl->text() + QStringLiteral(" – przerywanie…"));
    });
    connect(ZamknijBtn, &QPushButton::clicked, this, &TWczytajKlienciFrm::reject);
    connect(&model_, &QAbstractItemModel::modelReset, this, [this] {
        if (model_.rowCount() > 0)
            Grid->selectRow(0);
    });
    Resetuj();
}

void TWczytajKlienciFrm::Resetuj() {
    FBylaModyfikacja = false;
    Tabs->setTabVisible(Tabs->indexOf(RaportTab), false);
    Rap->clear();
    model_.clear();
    KsiegujBtn->setEnabled(false);
    UpdateBtns();
}

void TWczytajKlienciFrm::Execute() {
    Resetuj();
    if (const QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
    exec();
}

bool TWczytajKlienciFrm::raportWidoczny() const {
    return Tabs->isTabVisible(Tabs->indexOf(RaportTab));
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
    const QString name =
        QFileDialog::getOpenFileName(this, QStringLiteral("Przeglądanie"), PlikEd->text().trimmed(),
                                     QStringLiteral("Pliki xml (*.xml)"));
    if (!name.isEmpty())
        PlikEd->setText(QDir::toNativeSeparators(name));
}

void TWczytajKlienciFrm::Button1Click() {
    if (trwa_)
        return;
    std::optional<JpkDocument> xml;
    try {
        WaitCursor wait;
        xml = JpkDocument::open(PlikEd->text());
    } catch (const JpkRefused& e) {
        Uwaga(e.message());
        return;
    }
    Wczytaj(*xml);
}

void TWczytajKlienciFrm::Wczytaj(const JpkDocument& xml) {
    Tabs->setTabVisible(Tabs->indexOf(RaportTab), false);
    model_.clear();
    KsiegujBtn->setEnabled(false);
    std::vector<NowyKlient> rows;
    QString odmowa;
    QString blad;
    {
        WaitCursor wait;
        try {
            ListaNowychKlientow(
                xml, [this](const QString& nip) { return dm_.jestKlient(nip); },
                [&rows](const NowyKlient& k) { rows.push_back(k); });
        } catch (const JpkRefused& e) {
            odmowa = e.message();
        } catch (const std::exception& e) {
            blad = QString::fromUtf8(e.what()); // the buyers read before it stay listed
        }
        model_.setRows(std::move(rows));
    }
    Tabs->setCurrentIndex(0);
    if (!odmowa.isEmpty()) {
        Uwaga(odmowa);
        return;
    }
    KsiegujBtn->setEnabled(model_.rowCount() > 0);
    if (!blad.isEmpty())
        Blad(blad);
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
    if (!Rap->toPlainText().isEmpty()) {
        Tabs->setTabVisible(Tabs->indexOf(RaportTab), true);
        Tabs->setCurrentWidget(RaportTab);
    }
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
