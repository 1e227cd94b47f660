#include "frmBrakKontrahenta.h"

#include "DataGrid.h"
#include "StringFun.h"
#include "fdm.h"
#include "komun.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

TBrakKontrahentaFrm::TBrakKontrahentaFrm(Tdm& dm, QWidget* parent)
    : QDialog(parent), dm_(dm), trKlient(dm.conn),
      Klient(trKlient, QStringLiteral("SELECT KLIENTID, NAZWA, NR_NIP FROM KLIENT ORDER BY NAZWA"),
             this) {
    setWindowTitle(QStringLiteral("Nie znaleziono kontrahenta"));
    setMinimumSize(560, 520);
    DatasetColumn nazwa;
    nazwa.field = QStringLiteral("NAZWA");
    nazwa.title = QStringLiteral("Nazwa kontrahenta");
    Klient.setColumns({nazwa});
    Klient.setFilter([this](const db::Row& r) {
        return sFiltr.isEmpty() || r["NAZWA"].toString().toUpper().contains(sFiltr);
    });

    auto* tabs = new QTabWidget(this);
    auto* szczegoly = new QWidget;
    auto* form = new QFormLayout(szczegoly);
    NumerLbl = new QLabel;
    DataLbl = new QLabel;
    KwotaLbl = new QLabel;
    for (QLabel* l : {NumerLbl, DataLbl, KwotaLbl})
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow(QStringLiteral("Numer"), NumerLbl);
    form->addRow(QStringLiteral("Data"), DataLbl);
    form->addRow(QStringLiteral("Kwota"), KwotaLbl);
    tabs->addTab(szczegoly, QStringLiteral("Szczegóły faktury"));

    NowyRb = new QRadioButton(QStringLiteral("Dopisz nowego kontrahenta"));
    auto* nowyPanel = new QWidget;
    auto* nowyForm = new QFormLayout(nowyPanel);
    NazwaEd = new QLineEdit;
    AdresEd = new QLineEdit;
    nowyForm->addRow(QStringLiteral("Nazwa"), NazwaEd);
    nowyForm->addRow(QStringLiteral("Adres"), AdresEd);
    auto* vat = new QGroupBox(QStringLiteral("Numer identyfikacyjny VAT"));
    auto* vatForm = new QFormLayout(vat);
    KrNipEd = new QLineEdit;
    KrNipEd->setMaxLength(2);
    KrNipEd->setMaximumWidth(50);
    NipEd = new QLineEdit;
    NipEd->setReadOnly(true);
    vatForm->addRow(QStringLiteral("Kod kraju"), KrNipEd);
    vatForm->addRow(QStringLiteral("Numer"), NipEd);
    nowyForm->addRow(vat);

    IstniejacyRb = new QRadioButton(QStringLiteral("Wybierz istniejącego kontrahenta"));
    KlientGrid = new DataGrid;
    KlientGrid->setDataset(&Klient);
    KlientGrid->horizontalHeader()->setStretchLastSection(true);
    KlientGrid->verticalHeader()->hide();

    auto* filtrBox = new QGroupBox(QStringLiteral("Filtruj: W nazwie kontrahenta występuje tekst"));
    auto* filtrLay = new QHBoxLayout(filtrBox);
    FiltrEd = new QLineEdit;
    FiltrEd->setClearButtonEnabled(true);
    filtrLay->addWidget(FiltrEd);

    OkBtn = new QPushButton;
    OkBtn->setDefault(true);
    PominBtn = new QPushButton(QStringLiteral("&Pomiń"));
    PrzerwijBtn = new QPushButton(QStringLiteral("Przerwij wczytywanie"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkBtn);
    buttons->addWidget(PominBtn);
    buttons->addWidget(PrzerwijBtn);

    auto* lay = new QVBoxLayout(this);
    lay->addWidget(tabs);
    lay->addWidget(NowyRb);
    lay->addWidget(nowyPanel);
    lay->addWidget(IstniejacyRb);
    lay->addWidget(KlientGrid, 1);
    lay->addWidget(filtrBox);
    lay->addLayout(buttons);

    connect(KrNipEd, &QLineEdit::textEdited, this, [this](const QString& t) {
        if (t != t.toUpper()) {
            const int pos = KrNipEd->cursorPosition();
            KrNipEd->setText(t.toUpper());
            KrNipEd->setCursorPosition(pos);
        }
    });
    connect(FiltrEd, &QLineEdit::textChanged, this, &TBrakKontrahentaFrm::FiltrChange);
    FiltrEd->installEventFilter(this);
    connect(KlientGrid, &QTableView::clicked, this, &TBrakKontrahentaFrm::KlientGridClick);
    // Enter (or a double click) on a row chooses that contractor.
    connect(KlientGrid, &DataGrid::activated, this, &TBrakKontrahentaFrm::OkBtnClick);
    // A row made current by the keyboard is a choice of an existing contractor, as a click is.
    connect(&Klient, &Dataset::currentChanged, this, [this] {
        if (!przygotowanie_ && Klient.current())
            Wybierz(false);
    });
    connect(NowyRb, &QRadioButton::clicked, this, [this] { Wybierz(true); });
    connect(IstniejacyRb, &QRadioButton::clicked, this, [this] { Wybierz(false); });
    connect(OkBtn, &QPushButton::clicked, this, &TBrakKontrahentaFrm::OkBtnClick);
    connect(PominBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(PrzerwijBtn, &QPushButton::clicked, this, [this] { done(Abort); });
}

TBrakKontrahentaFrm::~TBrakKontrahentaFrm() = default;

bool TBrakKontrahentaFrm::Przygotuj(const recFaktura& f) {
    FKlientId = 0;
    NipWybranego.clear();
    // Reading the register for every unknown buyer would cost a full read each time; the
    // list shows committed contractors only, which one read per run gives as well.
    if (!listaOtwarta_ || !Klient.isOpen()) {
        if (!dm_.OpenTbl(Klient, QStringLiteral("Kontrahenci")))
            return false;
        listaOtwarta_ = true;
    }
    Fakt = f;
    NumerLbl->setText(f.NrFakt);
    DataLbl->setText(f.StrData());
    KwotaLbl->setText(f.StrKwota());
    NazwaEd->setText(f.NazwaOdb);
    AdresEd->setText(f.AdresOdb);
    KrNipEd->setText(f.KrNip);
    NipEd->setText(f.NipOdb);
    for (QLineEdit* e : {NazwaEd, AdresEd})
        e->setCursorPosition(0); // a long name is read from its start
    przygotowanie_ = true;
    {
        const QSignalBlocker quiet(FiltrEd);
        FiltrEd->clear();
    }
    sFiltr.clear();
    Klient.refilter();
    // A contractor whose tax number is the buyer's written otherwise (with dashes, a prefix)
    // is offered; a buyer nobody has is added as new. Nothing else is current, so one Enter
    // never gives the invoice to a contractor the user did not see chosen.
    const int podobny = wierszZNipem(f.NipOdb);
    Klient.setCurrentIndex(podobny);
    przygotowanie_ = false;
    Wybierz(podobny < 0);
    FiltrEd->setFocus();
    return true;
}

int TBrakKontrahentaFrm::Execute(const recFaktura& f) {
    if (!Przygotuj(f))
        return QDialog::Rejected;
    return exec();
}

DecyzjaBrakKontrahenta TBrakKontrahentaFrm::Decyzja(int result) const {
    DecyzjaBrakKontrahenta d;
    using W = DecyzjaBrakKontrahenta::Wybor;
    if (result == Abort) {
        d.wybor = W::Przerwij;
    } else if (result == QDialog::Accepted) {
        d.wybor = NowyKlient() ? W::DopiszNowego : W::WybierzIstniejacego;
        d.Nazwa = Nazwa();
        d.Adres = Adres();
        d.KrNip = KrNipText();
        d.FKlientId = FKlientId;
        d.NipWybranego = NipWybranego;
    }
    return d;
}

DecyzjaBrakKontrahenta TBrakKontrahentaFrm::Pytaj(const recFaktura& f) {
    return Decyzja(Execute(f));
}

bool TBrakKontrahentaFrm::NowyKlient() const {
    return NowyRb->isChecked();
}
QString TBrakKontrahentaFrm::Nazwa() const {
    return NazwaEd->text().trimmed();
}
QString TBrakKontrahentaFrm::Adres() const {
    return AdresEd->text().trimmed();
}
QString TBrakKontrahentaFrm::KrNipText() const {
    return KrNipEd->text();
}
QString TBrakKontrahentaFrm::NipText() const {
    return NipEd->text();
}

void TBrakKontrahentaFrm::FiltrChange() {
    sFiltr = FiltrEd->text().trimmed().toUpper();
    Klient.refilter(); // also returns to the first row
    Wybierz(Klient.isEmpty());
}

void TBrakKontrahentaFrm::KlientGridClick(const QModelIndex& index) {
    // The clicked row is the one chosen, also when the view kept it current already.
    if (index.isValid())
        Klient.setCurrentIndex(index.row());
    Wybierz(Klient.current() == nullptr);
}

int TBrakKontrahentaFrm::wierszZNipem(const QString& nip) const {
    const QString cyfry = TylkoCyfry(nip);
    if (cyfry.isEmpty())
        return -1;
    for (int i = 0; i < Klient.recordCount(); ++i)
        if (TylkoCyfry(Klient.row(i)["NR_NIP"].toString()) == cyfry)
            return i;
    return -1;
}

bool TBrakKontrahentaFrm::eventFilter(QObject* watched, QEvent* event) {
    // Up and Down in the filter box walk the list, so the keyboard alone chooses a row.
    if (watched == FiltrEd && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Down || key == Qt::Key_Up) && !Klient.isEmpty()) {
            const int i = Klient.currentIndex();
            const int next = key == Qt::Key_Down ? std::min(i + 1, Klient.recordCount() - 1)
                                                 : std::max(i - 1, 0);
            Klient.setCurrentIndex(next);
            Wybierz(false);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TBrakKontrahentaFrm::Wybierz(bool nowy) {
    NowyRb->setChecked(nowy);
    IstniejacyRb->setChecked(!nowy);
    PokazWybor();
}

void TBrakKontrahentaFrm::PokazWybor() {
    const bool nowy = NowyRb->isChecked();
    OkBtn->setText(nowy ? QStringLiteral("&Dopisz nowego kontrahenta")
                        : QStringLiteral("&Wybierz istniejącego kontrahenta"));
    auto paint = [this](QWidget* w, bool active) {
        QPalette p = w->palette();
        p.setColor(QPalette::Base, palette().color(active ? QPalette::Base : QPalette::Button));
        w->setPalette(p);
    };
    for (QWidget* w : {static_cast<QWidget*>(NazwaEd), static_cast<QWidget*>(AdresEd),
                       static_cast<QWidget*>(KrNipEd), static_cast<QWidget*>(NipEd)})
        paint(w, nowy);
    paint(KlientGrid, !nowy);
    for (QRadioButton* rb : {NowyRb, IstniejacyRb}) {
        QFont f = rb->font();
        f.setBold(rb->isChecked());
        rb->setFont(f);
    }
}

void TBrakKontrahentaFrm::OkBtnClick() {
    if (NowyRb->isChecked()) {
        accept();
        return;
    }
    const db::Row* row = Klient.current();
    const int id = row ? (*row)["KLIENTID"].toInt() : 0;
    if (id == 0) {
        Uwaga(QStringLiteral("Nie wybrano kontrahenta z listy.\rWskaż kontrahenta na liście albo "
                             "zaznacz „Dopisz nowego kontrahenta”."));
        KlientGrid->setFocus();
        return;
    }
    FKlientId = id;
    NipWybranego = (*row)["NR_NIP"].toString();
    accept();
}

void TBrakKontrahentaFrm::done(int r) {
    // The list reads committed contractors only; closing ends its transaction.
    if (trKlient.active()) {
        try {
            trKlient.commit();
        } catch (const std::exception&) {
            // a read-only transaction: nothing is lost when its commit fails
        }
    }
    QDialog::done(r);
}
