#include "frmWindykacja.h"

#include "Attachment.h"
#include "BlokadaKsiegowania.h"
#include "DrukiWindykacji.h"
#include "Error.h"
#include "NotyOdsetkowe.h"
#include "PodgladWydruku.h"
#include "PoleDaty.h"
#include "PostepOkna.h"
#include "SeriaDokumentow.h"
#include "WaitCursor.h"
#include "komun.h"

#include <QCheckBox>
#include <QCollator>
#include <QDateEdit>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <optional>

namespace wydruk {
namespace {

QString dzien(const QDate& d) {
    return d.isValid() ? d.toString(QStringLiteral("dd.MM.yyyy")) : QString();
}

QString kwota(Money m) {
    return m.format(QLocale());
}

// The one date box of the program: Tab leaves it instead of walking its sections.
QDateEdit* poleDaty(const QDate& d, QWidget* rodzic) {
    return new PoleDaty(d, rodzic);
}

// What a cell sorts by when it shows a date ("dd.mm.yyyy") or a number ("1 234,50", "12"):
// its value; nothing for a text.
std::optional<qlonglong> wartosc(const QString& tekst) {
    const QDate d = QDate::fromString(tekst, QStringLiteral("dd.MM.yyyy"));
    if (d.isValid())
        return d.toJulianDay();
    QString t = tekst;
    t.remove(u' ').remove(QChar(0x00A0)).remove(QChar(0x202F));
    static const QRegularExpression liczba(QStringLiteral("^(-?)(\\d+)(?:,(\\d\\d))?$"));
    const QRegularExpressionMatch m = liczba.match(t);
    if (!m.hasMatch())
        return std::nullopt;
    const qlonglong grosze = m.captured(2).toLongLong() * 100 + m.captured(3).toLongLong();
    return m.captured(1).isEmpty() ? grosze : -grosze;
}

// A cell that sorts as what it shows: dates and amounts by value, before texts; texts in
// Polish alphabetical order.
class Komorka : public QTableWidgetItem {
public:
    using QTableWidgetItem::QTableWidgetItem;
    bool operator<(const QTableWidgetItem& inna) const override {
        const std::optional<qlonglong> a = wartosc(text());
        const std::optional<qlonglong> b = wartosc(inna.text());
        if (a && b)
            return *a < *b;
        if (a || b)
            return a.has_value();
        static const QCollator porzadek = [] {
            QCollator c(QLocale(QLocale::Polish, QLocale::Poland));
            c.setCaseSensitivity(Qt::CaseInsensitive);
            c.setNumericMode(true);
            return c;
        }();
        return porzadek.compare(text(), inna.text()) < 0;
    }
};

// A list as every list of the program: a click on a heading sorts, Tab goes on to the next
// control (the arrows move within the list).
QTableWidget* tabela(const QStringList& naglowki, QWidget* rodzic) {
    auto* t = new QTableWidget(0, static_cast<int>(naglowki.size()), rodzic);
    t->setHorizontalHeaderLabels(naglowki);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setTabKeyNavigation(false);
    t->verticalHeader()->hide();
    t->horizontalHeader()->setStretchLastSection(true);
    t->horizontalHeader()->setSortIndicatorClearable(true);
    t->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    t->setSortingEnabled(true);
    return t;
}

// Filling a list: rows go in unsorted and are sorted once at the end, so each row is filled
// where it was put.
class Wypelnianie {
public:
    explicit Wypelnianie(QTableWidget* t) : t_(t) { t_->setSortingEnabled(false); }
    ~Wypelnianie() { t_->setSortingEnabled(true); }
    Wypelnianie(const Wypelnianie&) = delete;
    Wypelnianie& operator=(const Wypelnianie&) = delete;

private:
    QTableWidget* t_;
};

void wiersz(QTableWidget* t, const QStringList& pola, const QList<int>& doPrawej) {
    const int r = t->rowCount();
    t->insertRow(r);
    for (int c = 0; c < pola.size(); ++c) {
        auto* i = new Komorka(pola[c]);
        if (doPrawej.contains(c))
            i->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        t->setItem(r, c, i);
    }
}

// A database error: said to the user, nothing was written. A booking lock held elsewhere
// past the limit is offered again ("Ponów") or given up.
template <typename F> bool wBazie(F f) {
    try {
        return PonawiajPrzyBlokadzie(f);
    } catch (const db::Error& e) {
        Blad(QStringLiteral("Błąd bazy danych: ") + e.message());
        return false;
    }
}

} // namespace

// ---- register ----

TRejestrNotFrm::TRejestrNotFrm(db::Attachment& att, int klientId, QWidget* parent)
    : QDialog(parent), att_(att), klientId_(klientId) {
    setObjectName(QStringLiteral("RejestrNotFrm")); // its size, place and widths are kept
    setWindowTitle(QStringLiteral("Rejestr not odsetkowych"));
    Lista = tabela({QStringLiteral("Numer"), QStringLiteral("Data"), QStringLiteral("Kontrahent"),
                    QStringLiteral("Okres do"), QStringLiteral("Odsetki"),
                    QStringLiteral("Rekompensata"), QStringLiteral("Razem"), QStringLiteral("Stan"),
                    QStringLiteral("Zapisał")},
                   this);
    // Letters of their own: the register also stands inside the note window.
    PodgladBtn = new QPushButton(QStringLiteral("Podgląd / dr&uk"), this);
    ZaksiegujBtn = new QPushButton(QStringLiteral("Zaksięguj not&ę"), this);
    AnulujBtn = new QPushButton(QStringLiteral("Anu&luj notę"), this);
    auto* przyciski = new QHBoxLayout;
    for (QPushButton* b : {PodgladBtn, ZaksiegujBtn, AnulujBtn})
        przyciski->addWidget(b);
    przyciski->addStretch();
    auto* l = new QVBoxLayout(this);
    l->addWidget(Lista, 1);
    l->addLayout(przyciski);
    connect(Lista, &QTableWidget::itemSelectionChanged, this, &TRejestrNotFrm::UpdateBtns);
    connect(Lista, &QTableWidget::cellDoubleClicked, this, &TRejestrNotFrm::Podglad);
    connect(PodgladBtn, &QPushButton::clicked, this, &TRejestrNotFrm::Podglad);
    connect(ZaksiegujBtn, &QPushButton::clicked, this, &TRejestrNotFrm::Zaksieguj);
    connect(AnulujBtn, &QPushButton::clicked, this, &TRejestrNotFrm::Anuluj);
    resize(900, 400);
    Odswiez();
}

void TRejestrNotFrm::Odswiez() {
    const int bylo = wybrana();
    const Wypelnianie wypelnianie(Lista);
    Lista->setRowCount(0);
    for (const noty::Wpis& w : noty::czytajRejestr(att_, 0, klientId_)) {
        wiersz(Lista,
               {w.numer, dzien(w.dataWystawienia), w.kontrahent, dzien(w.doDnia), kwota(w.odsetki),
                kwota(w.rekompensata), kwota(w.razem),
                w.anulowana ? QStringLiteral("anulowana")
                : w.wpisId  ? QStringLiteral("zaksięgowana")
                            : QStringLiteral("niezaksięgowana"),
                w.zapisal},
               {4, 5, 6});
        const int r = Lista->rowCount() - 1;
        Lista->item(r, 0)->setData(Qt::UserRole, w.id);
        Lista->item(r, 1)->setData(Qt::UserRole, w.wpisId != 0 || w.anulowana);
        if (w.id == bylo)
            Lista->selectRow(r);
    }
    Lista->resizeColumnsToContents();
    UpdateBtns();
}

int TRejestrNotFrm::wybrana() const {
    const int r = Lista->currentRow();
    return r >= 0 && Lista->item(r, 0) ? Lista->item(r, 0)->data(Qt::UserRole).toInt() : 0;
}

void TRejestrNotFrm::UpdateBtns() {
    const int r = Lista->currentRow();
    const bool jest = r >= 0 && Lista->item(r, 0);
    const bool zamknieta = jest && Lista->item(r, 1)->data(Qt::UserRole).toBool();
    PodgladBtn->setEnabled(jest);
    ZaksiegujBtn->setEnabled(jest && !zamknieta);
    AnulujBtn->setEnabled(jest && !zamknieta);
}

void TRejestrNotFrm::Podglad() {
    const std::optional<dokumenty::NotaOdsetkowa> n = noty::czytajNote(att_, wybrana());
    if (!n)
        return;
    TPodgladWydruku p(wydrukNoty(*n), tytulNoty(*n), nazwaPlikuNoty(*n), this);
    p.Execute();
}

void TRejestrNotFrm::Zaksieguj() {
    const int id = wybrana();
    if (!id || !Zgoda(QStringLiteral("Zaksięgować notę %1 jako należność kontrahenta?")
                          .arg(Lista->item(Lista->currentRow(), 0)->text())))
        return;
    QString odmowa;
    if (!wBazie([&] { odmowa = noty::zaksieguj(att_, id); }))
        return;
    if (!odmowa.isEmpty())
        Uwaga(odmowa);
    else
        emit zmieniono();
    Odswiez();
}

void TRejestrNotFrm::Anuluj() {
    const int id = wybrana();
    if (!id || !ZgodaDefNo(QStringLiteral("Anulować notę %1? Jej numer pozostanie zajęty, a "
                                          "naliczone nią dni będzie można naliczyć ponownie.")
                               .arg(Lista->item(Lista->currentRow(), 0)->text())))
        return;
    QString odmowa;
    if (!wBazie([&] { odmowa = noty::anuluj(att_, id); }))
        return;
    if (!odmowa.isEmpty())
        Uwaga(odmowa);
    Odswiez();
}

// ---- one note ----

TNotaOdsetkowaFrm::TNotaOdsetkowaFrm(db::Attachment& att, int klientId, const QString& nazwa,
                                     QWidget* parent)
    : QDialog(parent), att_(att), klientId_(klientId) {
    setObjectName(QStringLiteral("NotaOdsetkowaFrm"));
    setWindowTitle(QStringLiteral("Nota odsetkowa – ") + nazwa);
    const QDate dzis = QDate::currentDate();
    const QDate poczatek = noty::kolejnyPoczatek(att_, klientId_);
    OdChk = new QCheckBox(QStringLiteral("Wpłaty &od"), this);
    OdEd = poleDaty(poczatek.isValid() ? poczatek : dzis.addMonths(-1), this);
    OdChk->setChecked(false);
    OdEd->setEnabled(false);
    DoEd = poleDaty(dzis, this);
    DataEd = poleDaty(dzis, this);
    TerminEd = new QSpinBox(this);
    TerminEd->setRange(0, 365);
    TerminEd->setValue(7);
    TerminEd->setSuffix(QStringLiteral(" dni"));
    NiezaplaconeChk =
        new QCheckBox(QStringLiteral("Z &fakturami nie zapłaconymi do końca okresu"), this);
    NiezaplaconeChk->setChecked(true);
    RekompensataChk = new QCheckBox(
        QStringLiteral("Z &rekompensatą za koszty odzyskiwania (40/70/100 EUR)"), this);
    auto* od = new QHBoxLayout;
    auto* odLbl = new QLabel(QStringLiteral("d&nia:"), this);
    odLbl->setBuddy(OdEd);
    od->addWidget(OdChk);
    od->addWidget(odLbl);
    od->addWidget(OdEd);
    od->addStretch();
    auto* pola = new QFormLayout;
    pola->addRow(od);
    pola->addRow(QStringLiteral("&Do dnia:"), DoEd);
    pola->addRow(QStringLiteral("Data &wystawienia:"), DataEd);
    pola->addRow(QStringLiteral("&Termin zapłaty:"), TerminEd);
    pola->addRow(NiezaplaconeChk);
    pola->addRow(RekompensataChk);

    Pozycje = tabela({QStringLiteral("Faktura"), QStringLiteral("Termin"),
                      QStringLiteral("Zapłata"), QStringLiteral("Kwota"), QStringLiteral("Od dnia"),
                      QStringLiteral("Dni"), QStringLiteral("Odsetki"), QStringLiteral("EUR")},
                     this);
    RazemLbl = new QLabel(this);
    ObliczBtn = new QPushButton(QStringLiteral("O&blicz"), this);
    PodgladBtn = new QPushButton(QStringLiteral("&Podgląd / druk"), this);
    ZapiszBtn = new QPushButton(QStringLiteral("&Zapisz notę"), this);
    ZaksiegujBtn = new QPushButton(QStringLiteral("Zaksięgu&j"), this);
    auto* zamknij = new QPushButton(QStringLiteral("Zam&knij"), this);
    auto* przyciski = new QHBoxLayout;
    for (QPushButton* b : {ObliczBtn, PodgladBtn, ZapiszBtn, ZaksiegujBtn})
        przyciski->addWidget(b);
    przyciski->addStretch();
    przyciski->addWidget(zamknij);

    Rejestr = new TRejestrNotFrm(att_, klientId_, this);
    Rejestr->setWindowFlags(Qt::Widget);
    auto* l = new QVBoxLayout(this);
    l->addLayout(pola);
    l->addWidget(Pozycje, 2);
    l->addWidget(RazemLbl);
    l->addLayout(przyciski);
    l->addWidget(new QLabel(QStringLiteral("Noty kontrahenta:"), this));
    l->addWidget(Rejestr, 1);

    connect(OdChk, &QCheckBox::toggled, OdEd, &QWidget::setEnabled);
    for (QDateEdit* e : {OdEd, DoEd, DataEd})
        connect(e, &QDateEdit::dateChanged, this, [this] { pokaz(std::nullopt); });
    connect(TerminEd, &QSpinBox::valueChanged, this, [this] { pokaz(std::nullopt); });
    for (QCheckBox* c : {OdChk, NiezaplaconeChk, RekompensataChk})
        connect(c, &QCheckBox::toggled, this, [this] { pokaz(std::nullopt); });
    connect(ObliczBtn, &QPushButton::clicked, this, &TNotaOdsetkowaFrm::Oblicz);
    connect(PodgladBtn, &QPushButton::clicked, this, &TNotaOdsetkowaFrm::Podglad);
    connect(ZapiszBtn, &QPushButton::clicked, this, [this] { Zapisz(false); });
    connect(ZaksiegujBtn, &QPushButton::clicked, this, [this] { Zapisz(true); });
    connect(zamknij, &QPushButton::clicked, this, &QDialog::accept);
    connect(Rejestr, &TRejestrNotFrm::zmieniono, this, &TNotaOdsetkowaFrm::zmieniono);
    ObliczBtn->setDefault(true);
    resize(960, 640);
    pokaz(std::nullopt);
}

dokumenty::ParametryNoty TNotaOdsetkowaFrm::parametry() const {
    dokumenty::ParametryNoty p;
    if (OdChk->isChecked())
        p.od = OdEd->date();
    p.doDnia = DoEd->date();
    p.dataWystawienia = DataEd->date();
    p.terminZaplatyDni = TerminEd->value();
    p.zNiezaplaconymi = NiezaplaconeChk->isChecked();
    p.zRekompensata = RekompensataChk->isChecked();
    return p;
}

void TNotaOdsetkowaFrm::pokaz(std::optional<dokumenty::NotaOdsetkowa> n) {
    nota_ = std::move(n);
    const Wypelnianie wypelnianie(Pozycje);
    Pozycje->setRowCount(0);
    if (nota_) {
        for (const windykacja::PozycjaOdsetek& p : nota_->pozycje)
            wiersz(Pozycje,
                   {p.numer, dzien(p.termin),
                    p.zaplata ? dzien(*p.zaplata) : QStringLiteral("nie zapłacono"), kwota(p.kwota),
                    dzien(p.naliczoneOd), QString::number(p.dni), kwota(p.odsetki),
                    p.rekompensataEur > 0 && nota_->sumaRekompensat > Money()
                        ? QString::number(p.rekompensataEur)
                        : QString()},
                   {3, 5, 6, 7});
        Pozycje->resizeColumnsToContents();
        RazemLbl->setText(QStringLiteral("Odsetki: %1 zł   Rekompensata: %2 zł   Razem: %3 zł")
                              .arg(kwota(nota_->sumaOdsetek), kwota(nota_->sumaRekompensat),
                                   kwota(nota_->razem)));
    } else
        RazemLbl->setText(QStringLiteral("Wybierz okres i naciśnij „Oblicz”."));
    PodgladBtn->setEnabled(nota_.has_value());
    ZapiszBtn->setEnabled(nota_.has_value());
    ZaksiegujBtn->setEnabled(nota_.has_value());
}

void TNotaOdsetkowaFrm::Oblicz() {
    std::variant<dokumenty::NotaOdsetkowa, QString> n;
    if (!wBazie([&] {
            WaitCursor czekaj;
            n = noty::przygotuj(att_, klientId_, parametry());
        }))
        return;
    if (const QString* odmowa = std::get_if<QString>(&n)) {
        pokaz(std::nullopt);
        Uwaga(*odmowa);
        return;
    }
    pokaz(std::get<dokumenty::NotaOdsetkowa>(std::move(n)));
}

void TNotaOdsetkowaFrm::Podglad() {
    if (!nota_)
        return;
    TPodgladWydruku p(wydrukNoty(*nota_), tytulNoty(*nota_), nazwaPlikuNoty(*nota_), this);
    p.Execute();
}

bool TNotaOdsetkowaFrm::Zapisz(bool ksieguj) {
    if (!nota_)
        return false;
    // Asked before anything is locked: the save counts again and takes its number then.
    if (!Zgoda(ksieguj ? QStringLiteral("Zapisać notę na %1 zł pod kolejnym numerem i "
                                        "zaksięgować ją jako należność kontrahenta?")
                             .arg(kwota(nota_->razem))
                       : QStringLiteral("Zapisać notę na %1 zł pod kolejnym numerem?")
                             .arg(kwota(nota_->razem))))
        return false;
    noty::WynikZapisu w;
    if (!wBazie([&] {
            WaitCursor czekaj;
            w = noty::zapisz(att_, klientId_, parametry(), *nota_, ksieguj);
        }))
        return false;
    if (!w.uwaga.isEmpty()) {
        pokaz(w.nota); // counted anew when the contractor's data changed
        Uwaga(w.uwaga);
        return false;
    }
    Info(ksieguj ? QStringLiteral("Zapisano i zaksięgowano notę %1.").arg(w.nota->numer)
                 : QStringLiteral("Zapisano notę %1.").arg(w.nota->numer));
    pokaz(std::nullopt);
    Rejestr->Odswiez();
    if (ksieguj)
        emit zmieniono();
    return true;
}

// ---- reminders and confirmations ----

TDokumentyWindykacjiFrm::TDokumentyWindykacjiFrm(db::Attachment& att, Rodzaj rodzaj, int klientId,
                                                 const QString& nazwa, QWidget* parent)
    : QDialog(parent), att_(att), rodzaj_(rodzaj), klientId_(klientId) {
    const bool wezw = rodzaj == Rodzaj::Wezwania;
    setObjectName(wezw ? QStringLiteral("WezwaniaFrm") : QStringLiteral("PotwierdzeniaFrm"));
    const QString kto = klientId > 0 ? nazwa : QStringLiteral("wszyscy kontrahenci");
    setWindowTitle((wezw ? QStringLiteral("Wezwania do zapłaty – ")
                         : QStringLiteral("Potwierdzenia salda – ")) +
                   kto);
    const QDate dzis = QDate::currentDate();
    DataEd = poleDaty(dzis, this);
    auto* pola = new QFormLayout;
    pola->addRow(QStringLiteral("Data &wystawienia:"), DataEd);
    if (wezw) {
        TerminEd = new QSpinBox(this);
        TerminEd->setRange(0, 365);
        TerminEd->setValue(7);
        TerminEd->setSuffix(QStringLiteral(" dni"));
        pola->addRow(QStringLiteral("&Termin zapłaty:"), TerminEd);
        if (klientId == 0) {
            PonadDniEd = new QSpinBox(this);
            PonadDniEd->setRange(0, 3650);
            PonadDniEd->setValue(30);
            PonadDniEd->setSuffix(QStringLiteral(" dni"));
            pola->addRow(QStringLiteral("Faktury zaległe &ponad:"), PonadDniEd);
        }
        OdsetkiChk = new QCheckBox(QStringLiteral("Z &odsetkami na dzień wezwania"), this);
        OdsetkiChk->setChecked(true);
        pola->addRow(OdsetkiChk);
    } else {
        NaDzienEd = poleDaty(QDate(dzis.year() - 1, 12, 31), this);
        pola->addRow(QStringLiteral("Saldo na &dzień:"), NaDzienEd);
    }
    Pasek = new QProgressBar(this);
    Pasek->setValue(0);
    WynikLbl = new QLabel(this);
    UtworzBtn = new QPushButton(QStringLiteral("&Utwórz"), this);
    PrzerwijBtn = new QPushButton(QStringLiteral("P&rzerwij"), this);
    PodgladBtn = new QPushButton(QStringLiteral("Podg&ląd / druk"), this);
    FolderBtn = new QPushButton(QStringLiteral("PDF dla każdego do &folderu..."), this);
    auto* zamknij = new QPushButton(QStringLiteral("Zam&knij"), this);
    auto* przyciski = new QHBoxLayout;
    for (QPushButton* b : {UtworzBtn, PrzerwijBtn, PodgladBtn, FolderBtn})
        przyciski->addWidget(b);
    przyciski->addStretch();
    przyciski->addWidget(zamknij);
    auto* l = new QVBoxLayout(this);
    l->addLayout(pola);
    l->addWidget(Pasek);
    l->addWidget(WynikLbl);
    l->addLayout(przyciski);
    PrzerwijBtn->setEnabled(false);
    PodgladBtn->setEnabled(false);
    FolderBtn->setEnabled(false);
    UtworzBtn->setDefault(true);
    connect(UtworzBtn, &QPushButton::clicked, this, [this] {
        if (Utworz())
            Podglad();
    });
    connect(PrzerwijBtn, &QPushButton::clicked, this, [this] { przerwij_ = true; });
    connect(PodgladBtn, &QPushButton::clicked, this, &TDokumentyWindykacjiFrm::Podglad);
    connect(FolderBtn, &QPushButton::clicked, this, [this] {
        const QString f = QFileDialog::getExistingDirectory(
            this, QStringLiteral("Folder na pliki PDF"), QDir::homePath());
        if (f.isEmpty())
            return;
        const int n = ZapiszDoFolderu(f);
        if (n > 0)
            Info(QStringLiteral("Zapisano plików PDF: %1 w folderze %2.")
                     .arg(n)
                     .arg(QDir::toNativeSeparators(f)));
    });
    connect(zamknij, &QPushButton::clicked, this, [this] {
        if (!trwa_)
            accept();
    });
}

bool TDokumentyWindykacjiFrm::Utworz() {
    wezwania.clear();
    potwierdzenia.clear();
    przerwij_ = false;
    trwa_ = true;
    UtworzBtn->setEnabled(false);
    PrzerwijBtn->setEnabled(true);
    PodgladBtn->setEnabled(false);
    FolderBtn->setEnabled(false);
    PostepOkna postep(*Pasek);
    const windykacja::Postep krok = [&](int zrobione, int wszystkie) {
        postep(zrobione, wszystkie);
        return !przerwij_;
    };
    QString odmowa;
    bool przerwana = false;
    wBazie([&] {
        if (rodzaj_ == Rodzaj::Wezwania) {
            dokumenty::ParametryWezwania p;
            p.dataWystawienia = DataEd->date();
            p.terminDni = TerminEd->value();
            p.zOdsetkami = OdsetkiChk->isChecked();
            p.ponadDni = PonadDniEd ? PonadDniEd->value() : 0;
            auto w = windykacja::wezwania(att_, p, klientId_, krok);
            if (const QString* o = std::get_if<QString>(&w))
                odmowa = *o;
            else {
                auto& s = std::get<windykacja::Seria<dokumenty::WezwanieDoZaplaty>>(w);
                wezwania = std::move(s.dokumenty);
                przerwana = s.przerwana;
            }
        } else {
            auto w =
                windykacja::potwierdzenia(att_, NaDzienEd->date(), DataEd->date(), klientId_, krok);
            if (const QString* o = std::get_if<QString>(&w))
                odmowa = *o;
            else {
                auto& s = std::get<windykacja::Seria<dokumenty::PotwierdzenieSalda>>(w);
                potwierdzenia = std::move(s.dokumenty);
                przerwana = s.przerwana;
            }
        }
    });
    trwa_ = false;
    UtworzBtn->setEnabled(true);
    PrzerwijBtn->setEnabled(false);
    const std::size_t ile = rodzaj_ == Rodzaj::Wezwania ? wezwania.size() : potwierdzenia.size();
    PodgladBtn->setEnabled(ile > 0);
    FolderBtn->setEnabled(ile > 0);
    WynikLbl->setText(ile > 0 ? QStringLiteral("Dokumentów: %1%2")
                                    .arg(ile)
                                    .arg(przerwana ? QStringLiteral(" (przerwano: nie dla "
                                                                    "wszystkich kontrahentów)")
                                                   : QString())
                              : QString());
    if (!odmowa.isEmpty())
        Uwaga(odmowa);
    else if (ile == 0 && przerwana)
        Uwaga(QStringLiteral("Przerwano, zanim powstał jakikolwiek dokument."));
    return ile > 0;
}

void TDokumentyWindykacjiFrm::Podglad() {
    if (rodzaj_ == Rodzaj::Wezwania && !wezwania.empty()) {
        TPodgladWydruku p(wydrukWezwan(wezwania), QStringLiteral("Wezwania do zapłaty"),
                          wezwania.size() == 1 ? nazwaPlikuWezwania(wezwania.front())
                                               : QStringLiteral("Wezwania_do_zaplaty"),
                          this);
        p.Execute();
    } else if (rodzaj_ == Rodzaj::Potwierdzenia && !potwierdzenia.empty()) {
        TPodgladWydruku p(wydrukPotwierdzen(potwierdzenia), QStringLiteral("Potwierdzenia salda"),
                          potwierdzenia.size() == 1 ? nazwaPlikuPotwierdzenia(potwierdzenia.front())
                                                    : QStringLiteral("Potwierdzenia_salda"),
                          this);
        p.Execute();
    }
}

int TDokumentyWindykacjiFrm::ZapiszDoFolderu(const QString& folder) {
    const QDir d(folder);
    int n = 0;
    auto zapisz = [&](const Wydruk& w, const QString& nazwa, const QString& tytul) {
        const QString blad = zapiszPdf(w, d.filePath(nazwa + QStringLiteral(".pdf")), tytul);
        if (!blad.isEmpty()) {
            Blad(blad);
            return false;
        }
        ++n;
        return true;
    };
    for (const dokumenty::WezwanieDoZaplaty& w : wezwania)
        if (!zapisz(wydrukWezwan({w}), nazwaPlikuWezwania(w),
                    QStringLiteral("Wezwanie do zapłaty")))
            return n;
    for (const dokumenty::PotwierdzenieSalda& p : potwierdzenia)
        if (!zapisz(wydrukPotwierdzen({p}), nazwaPlikuPotwierdzenia(p),
                    QStringLiteral("Potwierdzenie salda")))
            return n;
    return n;
}

} // namespace wydruk
