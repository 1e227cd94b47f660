#include "WczytajFaktury.h"

#include "BlokadaKsiegowania.h"
#include "HistoriaImportow.h"
#include "JpkReader.h"
#include "KsiegowanieFaktur.h"
#include "OknoImportu.h"
#include "WaitCursor.h"
#include "fks.h"
#include "frmBrakKontrahenta.h"
#include "komun.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <exception>

TFakturyFrm::TFakturyFrm(Tdm& dm, Tks& ks, QWidget* parent)
    : QDialog(parent), ks_(ks), model_(this) {
    setWindowTitle(QStringLiteral("Wczytywanie danych z faktur"));
    setMinimumSize(700, 500);
    resize(860, 600);
    brak_ = new TBrakKontrahentaFrm(dm, this);

    auto* top = oknoimportu::WierszPliku(QStringLiteral("Nazwa pliku JPK FAKTURA - plik xml,\n"
                                                        "faktura KSeF, folder lub ZIP z KSeF"),
                                         QStringLiteral("Przeglądanie: plik xml lub zip"), PlikEd,
                                         PrzegladajBtn);
    FolderBtn = new QPushButton(QStringLiteral("Folder..."));
    FolderBtn->setToolTip(QStringLiteral("Folder z fakturami KSeF"));
    top->addWidget(FolderBtn);
    WczytajBtn = new QPushButton(QStringLiteral("&Utwórz listę"));
    top->addWidget(WczytajBtn);

    Tabs = new QTabWidget;
    auto* szczegoly = new QWidget;
    auto* form = new QFormLayout(szczegoly);
    NumerLbl = new QLabel;
    DataLbl = new QLabel;
    KwotaLbl = new QLabel;
    KontrahentLbl = new QLabel;
    AdresLbl = new QLabel;
    WalutaLbl = new QLabel;
    RodzajLbl = new QLabel;
    PlikLbl = new QLabel;
    for (QLabel* l :
         {NumerLbl, DataLbl, KwotaLbl, KontrahentLbl, AdresLbl, WalutaLbl, RodzajLbl, PlikLbl})
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow(QStringLiteral("Numer"), NumerLbl);
    form->addRow(QStringLiteral("Data"), DataLbl);
    form->addRow(QStringLiteral("Kwota"), KwotaLbl);
    form->addRow(QStringLiteral("Kontrahent"), KontrahentLbl);
    form->addRow(QStringLiteral("Adres"), AdresLbl);
    form->addRow(QStringLiteral("Waluta"), WalutaLbl);
    form->addRow(QStringLiteral("Rodzaj"), RodzajLbl);
    form->addRow(QStringLiteral("Plik"), PlikLbl);
    Tabs->addTab(szczegoly, QStringLiteral("Szczegóły faktury"));
    raport_.dodaj(Tabs);
    Rap = raport_.tekst();
    Historia = new HistoriaImportow(ks_.attachment(), cofniecie::Rodzaj::Faktury);
    Tabs->addTab(Historia, QStringLiteral("Historia importów"));
    // Read when looked at: other workstations book meanwhile.
    connect(Tabs, &QTabWidget::currentChanged, this, [this] {
        if (Tabs->currentWidget() == Historia)
            Historia->odswiez();
    });
    // Undone invoices changed the ledger; the file may be booked again.
    connect(Historia, &HistoriaImportow::cofnieto, this, [this] { FZaksiegowano = true; });

    Grid = new QTableView;
    oknoimportu::UstawListe(Grid, &model_, {140, 110, 280});

    auto* bottom = new QHBoxLayout;
    KsiegujBtn = new QPushButton(QStringLiteral("&Księguj"));
    ZamknijBtn = new QPushButton(QStringLiteral("&Zamknij"));
    Gauge = new QProgressBar;
    bottom->addWidget(KsiegujBtn);
    bottom->addWidget(Gauge, 1);
    bottom->addStretch();
    bottom->addWidget(ZamknijBtn);

    // Enter in the file field lists the file; no other button is pressed by Enter.
    for (QPushButton* b : {PrzegladajBtn, FolderBtn, KsiegujBtn, ZamknijBtn})
        b->setAutoDefault(false);
    WczytajBtn->setDefault(true);

    auto* lay = new QVBoxLayout(this);
    lay->addLayout(top);
    lay->addWidget(Tabs);
    lay->addWidget(Grid, 1);
    lay->addLayout(bottom);

    // Another file, folder or ZIP typed or picked: the list of the one before is no longer
    // what "Księguj" would book.
    connect(PlikEd, &QLineEdit::textChanged, this, [this] {
        if (!trwa_ && (model_.rowCount() > 0 || KsiegujBtn->isEnabled()))
            Oproznij();
    });
    connect(PrzegladajBtn, &QPushButton::clicked, this, &TFakturyFrm::PrzegladajClick);
    connect(FolderBtn, &QPushButton::clicked, this, &TFakturyFrm::FolderClick);
    connect(WczytajBtn, &QPushButton::clicked, this, &TFakturyFrm::WczytajBtnClick);
    connect(KsiegujBtn, &QPushButton::clicked, this, &TFakturyFrm::KsiegujBtnClick);
    connect(ZamknijBtn, &QPushButton::clicked, this, &TFakturyFrm::reject);
    connect(Grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TFakturyFrm::PokazSzczegoly);
    oknoimportu::ZaznaczPierwszy(Grid, [this] { PokazSzczegoly(); });
    Resetuj();
}

TFakturyFrm::~TFakturyFrm() = default;

void TFakturyFrm::Resetuj() {
    FZaksiegowano = false;
    raport_.pokaz(false);
    Rap->clear();
    Gauge->hide();
    Oproznij();
}

void TFakturyFrm::Oproznij() {
    raport_.pokaz(false);
    model_.clear();
    pominietePliki_.clear();
    listaKompletna_ = false;
    UpdateBtns();
}

void TFakturyFrm::Execute() {
    Resetuj();
    oknoimportu::Wysrodkuj(this);
    exec();
}

bool TFakturyFrm::raportWidoczny() const {
    return raport_.widoczna();
}

void TFakturyFrm::UpdateBtns() {
    KsiegujBtn->setEnabled(!trwa_ && listaKompletna_ && model_.rowCount() > 0);
    for (QWidget* w : {static_cast<QWidget*>(ZamknijBtn), static_cast<QWidget*>(WczytajBtn),
                       static_cast<QWidget*>(PrzegladajBtn), static_cast<QWidget*>(FolderBtn),
                       static_cast<QWidget*>(PlikEd)})
        w->setEnabled(!trwa_);
}

void TFakturyFrm::PrzegladajClick() {
    oknoimportu::WybierzPlik(
        this, PlikEd,
        QStringLiteral("Pliki faktur (*.xml *.zip);;Pliki xml (*.xml);;Archiwa KSeF (*.zip)"));
}

void TFakturyFrm::FolderClick() {
    const QString name = QFileDialog::getExistingDirectory(
        this, QStringLiteral("Folder z fakturami KSeF"), PlikEd->text().trimmed());
    if (!name.isEmpty())
        PlikEd->setText(QDir::toNativeSeparators(name));
}

void TFakturyFrm::WczytajBtnClick() {
    if (trwa_)
        return;
    // Whatever this file turns out to be, the previous list is no longer what "Księguj"
    // would book.
    Oproznij();
    ListaFaktur lista;
    QString odmowa;
    {
        WaitCursor wait;
        try {
            lista = CzytajListeFaktur(PlikEd->text());
            listaKompletna_ = true;
            plikListy_ = QFileInfo(PlikEd->text().trimmed()).absoluteFilePath();
        } catch (const JpkRefused& e) {
            odmowa = e.message();
        }
        pominietePliki_ = lista.pominietePliki;
        model_.setRows(std::move(lista.faktury));
    }
    UpdateBtns();
    if (!odmowa.isEmpty()) {
        Uwaga(odmowa);
        return;
    }
    if (!pominietePliki_.isEmpty()) {
        Rap->setPlainText(pominietePliki_.join(u'\n'));
        raport_.pokaz(true);
    }
}

void TFakturyFrm::PokazSzczegoly() {
    const recFaktura* f = model_.row(Grid->selectionModel()->currentIndex().row());
    NumerLbl->setText(f ? f->NrFakt : QString());
    DataLbl->setText(f ? f->StrData() : QString());
    // An amount in another currency is never shown as if it were złoty.
    KwotaLbl->setText(!f                   ? QString()
                      : f->WInnejWalucie() ? f->StrKwota() + u' ' + f->Waluta.trimmed()
                                           : f->StrKwota());
    KontrahentLbl->setText(f ? f->NazwaOdb : QString());
    AdresLbl->setText(f ? f->AdresOdb : QString());
    WalutaLbl->setText(f ? f->Waluta : QString());
    RodzajLbl->setText(f ? f->Rodzaj : QString());
    PlikLbl->setText(f ? f->Plik : QString());
}

void TFakturyFrm::UpdateGauge(int position) {
    Gauge->setValue(position);
    // Letting events run after every one of 100,000 invoices would cost more than the
    // booking; a few times a second keeps the window just as alive.
    if (!gaugeTimer_.isValid() || gaugeTimer_.elapsed() >= 50 || position == Gauge->maximum()) {
        QCoreApplication::processEvents();
        gaugeTimer_.restart();
    }
}

void TFakturyFrm::KsiegujBtnClick() {
    if (trwa_ || !KsiegujBtn->isEnabled())
        return;
    Rap->clear();
    if (!Zgoda(QStringLiteral("Zaksięgować faktury?")))
        return;
    trwa_ = true;
    UpdateBtns();
    Gauge->setRange(0, model_.rowCount());
    Gauge->setValue(0);
    Gauge->show();
    gaugeTimer_.invalidate();

    brak_->NowyPrzebieg(); // the dialog reads the register once per run
    KsiegowanieFaktur run(
        ks_, [this](const recFaktura& f) { return brak_->Pytaj(f); },
        [this](int position, int) { UpdateGauge(position); });
    WynikKsiegowania wynik;
    QString blad;
    bool anulowano = false;
    try {
        // The questions first, with nothing locked; then the booking, which may have to wait
        // for another workstation's.
        run.Pytaj(model_.rows());
        anulowano = !PonawiajPrzyBlokadzie([&] { wynik = run.Ksieguj(model_.rows(), plikListy_); });
    } catch (const std::exception& e) {
        blad = QString::fromUtf8(e.what());
    }
    trwa_ = false;
    Gauge->hide();
    UpdateBtns();
    if (!blad.isEmpty()) {
        Blad(blad + QStringLiteral("\r\rKsięgowanie przerwano; nic z tego przebiegu nie zostało "
                                   "zapisane."));
        return;
    }
    if (anulowano) {
        Info(QStringLiteral("Księgowanie anulowano; nic nie zostało zapisane."));
        return;
    }
    // Files skipped from the folder or ZIP, a line per invoice, then what the run did.
    Rap->setPlainText((pominietePliki_ + wynik.raport + wynik.podsumowanie()).join(u'\n'));
    raport_.wybierz();
    FZaksiegowano = FZaksiegowano || wynik.FZaksiegowano;
    Info(QStringLiteral("Zakończono księgowanie faktur."));
}

void TFakturyFrm::reject() {
    if (trwa_)
        return; // the run ends first; closing now would leave its transaction open
    QDialog::reject();
}
