#include "frmStawkiOdsetek.h"

#include "DataGrid.h"
#include "DialogButtons.h"
#include "StawkiOdsetek.h"
#include "fdm.h"
#include "komun.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QString dzien(const QDate& d) {
    return d.toString(QStringLiteral("dd.MM.yyyy"));
}

int naSetne(const db::Value& v) {
    return static_cast<int>(v.toMoney().raw() / 100);
}

QString stawkaTekstem(const db::Value& v) {
    return v.isNull() ? QString() : odsetki::formatStawki(naSetne(v));
}

std::vector<DatasetColumn> kolumny(odsetki::Rodzaj rodzaj) {
    const Qt::Alignment prawo = Qt::AlignRight | Qt::AlignVCenter;
    std::vector<DatasetColumn> k = {
        {QStringLiteral("OD"), QStringLiteral("Obowiązuje od"),
         [](const db::Value& v) { return dzien(v.toDate().qdate()); }},
        {QStringLiteral("STAWKA"), QStringLiteral("Stawka (%)"), stawkaTekstem, prawo},
    };
    if (rodzaj == odsetki::Rodzaj::Handlowe)
        k.push_back({QStringLiteral("STAWKA_ZOZ"), QStringLiteral("Podmiot leczniczy (%)"),
                     stawkaTekstem, prawo});
    k.push_back({QStringLiteral("DO_SPRAWDZENIA"), QStringLiteral("Uwagi"), [](const db::Value& v) {
                     return v.toString() == QStringLiteral("T")
                                ? QStringLiteral("do sprawdzenia (jedno źródło)")
                                : QString();
                 }});
    return k;
}

QString sqlListy(odsetki::Rodzaj rodzaj) {
    return QStringLiteral("SELECT OD, STAWKA, STAWKA_ZOZ, DO_SPRAWDZENIA FROM STAWKA_ODSETEK "
                          "WHERE RODZAJ = '%1' ORDER BY OD DESC")
        .arg(rodzaj == odsetki::Rodzaj::Handlowe ? QStringLiteral("H") : QStringLiteral("C"));
}

} // namespace

TStawkaFrm::TStawkaFrm(Tdm& dm, QWidget* parent) : QDialog(parent), dm_(dm) {
    setObjectName(QStringLiteral("StawkaFrm"));
    OdEd = new QDateEdit(this);
    OdEd->setCalendarPopup(true);
    OdEd->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    StawkaEd = new QLineEdit(this);
    StawkaEd->setMaxLength(8);
    ZozEd = new QLineEdit(this);
    ZozEd->setMaxLength(8);
    DoSprawdzeniaCb = new QCheckBox(QStringLiteral("Stawka do &sprawdzenia"), this);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Obowiązuje od"), OdEd);
    form->addRow(QStringLiteral("S&tawka (%)"), StawkaEd);
    ZozLbl = new QLabel(QStringLiteral("Dla publicznego podmiotu &leczniczego (%)"), this);
    ZozLbl->setBuddy(ZozEd);
    form->addRow(ZozLbl, ZozEd);
    form->addRow(QString(), DoSprawdzeniaCb);
    const DialogButtons buttons = layOutFormDialog(*this, form, QStringLiteral("&Zapisz"));
    ZapiszBtn = buttons.ok;
    AnulujBtn = buttons.anuluj;
    connect(ZapiszBtn, &QPushButton::clicked, this, &TStawkaFrm::ZapiszBtnClick);
    // The healthcare rate follows the ordinary one until the user types one of their own.
    connect(StawkaEd, &QLineEdit::textEdited, this, &TStawkaFrm::podpowiedzZoz);
    connect(OdEd, &QDateEdit::dateChanged, this, &TStawkaFrm::podpowiedzZoz);
    connect(ZozEd, &QLineEdit::textEdited, this, [this] { zozWpisanaRecznie_ = true; });
}

void TStawkaFrm::przygotuj(odsetki::Rodzaj rodzaj) {
    rodzaj_ = rodzaj;
    const bool handlowe = rodzaj == odsetki::Rodzaj::Handlowe;
    setWindowTitle(handlowe ? QStringLiteral("Stawka odsetek w transakcjach handlowych")
                            : QStringLiteral("Stawka odsetek ustawowych za opóźnienie"));
    ZozLbl->setVisible(handlowe);
    ZozEd->setVisible(handlowe);
    zozWpisanaRecznie_ = false;
}

void TStawkaFrm::PrzygotujWstaw(odsetki::Rodzaj rodzaj) {
    przygotuj(rodzaj);
    nowa_ = true;
    stara_ = {};
    const QDate dzis = QDate::currentDate();
    // A commercial rate is announced for the coming half-year.
    OdEd->setDate(
        rodzaj == odsetki::Rodzaj::Handlowe
            ? (dzis.month() <= 6 ? QDate(dzis.year(), 7, 1) : QDate(dzis.year() + 1, 1, 1))
            : dzis);
    StawkaEd->clear();
    ZozEd->clear();
    DoSprawdzeniaCb->setChecked(false);
    StawkaEd->setFocus();
}

void TStawkaFrm::PrzygotujPopraw(odsetki::Rodzaj rodzaj, const odsetki::Stawka& s) {
    przygotuj(rodzaj);
    nowa_ = false;
    stara_ = s;
    OdEd->setDate(s.od);
    StawkaEd->setText(odsetki::formatStawki(s.stawka));
    ZozEd->setText(s.stawkaZoz ? odsetki::formatStawki(*s.stawkaZoz) : QString());
    zozWpisanaRecznie_ = true; // a stored value is kept as it is
    DoSprawdzeniaCb->setChecked(s.doSprawdzenia);
    StawkaEd->setFocus();
}

int TStawkaFrm::Wstaw(odsetki::Rodzaj rodzaj) {
    PrzygotujWstaw(rodzaj);
    return exec();
}

int TStawkaFrm::Popraw(odsetki::Rodzaj rodzaj, const odsetki::Stawka& stawka) {
    PrzygotujPopraw(rodzaj, stawka);
    return exec();
}

void TStawkaFrm::podpowiedzZoz() {
    if (rodzaj_ != odsetki::Rodzaj::Handlowe || zozWpisanaRecznie_)
        return;
    const std::optional<int> s = odsetki::parsujStawke(StawkaEd->text());
    const std::optional<int> zoz = s ? stawki::domyslnaStawkaZoz(OdEd->date(), *s) : std::nullopt;
    ZozEd->setText(zoz ? odsetki::formatStawki(*zoz) : QString());
}

void TStawkaFrm::ZapiszBtnClick() {
    odsetki::Stawka s;
    s.od = OdEd->date();
    const std::optional<int> stawka = odsetki::parsujStawke(StawkaEd->text());
    if (!stawka) {
        Uwaga(QStringLiteral("Podaj stawkę w procentach, np. 11,25 (najwyżej dwa miejsca po "
                             "przecinku)."));
        return;
    }
    s.stawka = *stawka;
    if (rodzaj_ == odsetki::Rodzaj::Handlowe && !ZozEd->text().trimmed().isEmpty()) {
        s.stawkaZoz = odsetki::parsujStawke(ZozEd->text());
        if (!s.stawkaZoz) {
            Uwaga(QStringLiteral("Podaj stawkę dla publicznego podmiotu leczniczego w procentach, "
                                 "np. 9,75, albo zostaw to pole puste."));
            return;
        }
    }
    s.doSprawdzenia = DoSprawdzeniaCb->isChecked();
    const QString uwaga = nowa_ ? stawki::dopiszStawke(dm_.conn, rodzaj_, s)
                                : stawki::poprawStawke(dm_.conn, rodzaj_, stara_, s);
    if (!uwaga.isEmpty()) {
        Uwaga(uwaga);
        return;
    }
    Zapisana = s;
    accept();
}

TStawkiOdsetekFrm::TStawkiOdsetekFrm(Tdm& dm, TStawkaFrm& stawkaFrm, QWidget* parent)
    : QDialog(parent), dm_(dm), stawkaFrm_(stawkaFrm),
      trHandlowe_(dm.conn, db::Isolation::ReadCommitted),
      trUstawowe_(dm.conn, db::Isolation::ReadCommitted),
      handlowe_(trHandlowe_, sqlListy(odsetki::Rodzaj::Handlowe)),
      ustawowe_(trUstawowe_, sqlListy(odsetki::Rodzaj::Ustawowe)) {
    setObjectName(QStringLiteral("StawkiOdsetekFrm"));
    setWindowTitle(QStringLiteral("Tabele odsetek"));
    Zakladki = new QTabWidget(this);
    const std::array<std::pair<odsetki::Rodzaj, QString>, 2> zakladki = {{
        {odsetki::Rodzaj::Handlowe, QStringLiteral("Odsetki w transakcjach &handlowych")},
        {odsetki::Rodzaj::Ustawowe, QStringLiteral("Odsetki &ustawowe (kodeks cywilny)")},
    }};
    for (std::size_t i = 0; i < zakladki.size(); ++i) {
        Dataset& d = lista(zakladki[i].first);
        d.setColumns(kolumny(zakladki[i].first));
        Siatki[i] = new DataGrid(Zakladki);
        Siatki[i]->setObjectName(i == 0 ? QStringLiteral("StawkiHandlowe")
                                        : QStringLiteral("StawkiUstawowe"));
        Siatki[i]->setDataset(&d);
        Siatki[i]->horizontalHeader()->setStretchLastSection(true);
        Zakladki->addTab(Siatki[i], zakladki[i].second);
        connect(&d, &Dataset::currentChanged, this, &TStawkiOdsetekFrm::UpdateBtns);
        connect(Siatki[i], &DataGrid::activated, this, [this] {
            if (PoprawBtn->isEnabled())
                PoprawBtnClick();
        });
    }
    connect(Zakladki, &QTabWidget::currentChanged, this, &TStawkiOdsetekFrm::UpdateBtns);

    DopiszBtn = new QPushButton(QStringLiteral("&Dopisz"), this);
    PoprawBtn = new QPushButton(QStringLiteral("&Popraw"), this);
    UsunBtn = new QPushButton(QStringLiteral("Usu&ń"), this);
    ZamknijBtn = new QPushButton(QStringLiteral("&Zamknij"), this);
    auto* przyciski = new QVBoxLayout;
    przyciski->addWidget(DopiszBtn);
    przyciski->addWidget(PoprawBtn);
    przyciski->addWidget(UsunBtn);
    przyciski->addStretch();
    przyciski->addWidget(ZamknijBtn);
    auto* opis = new QLabel(
        QStringLiteral(
            "Nową stawkę dopisz w dniu jej ogłoszenia. Stawki odsetek w transakcjach "
            "handlowych obowiązują przez całe półrocze (od 1 stycznia albo od 1 lipca)."),
        this);
    opis->setWordWrap(true);
    auto* lewa = new QVBoxLayout;
    lewa->addWidget(Zakladki, 1);
    lewa->addWidget(opis);
    auto* uklad = new QHBoxLayout(this);
    uklad->addLayout(lewa, 1);
    uklad->addLayout(przyciski);
    resize(720, 480);

    connect(DopiszBtn, &QPushButton::clicked, this, &TStawkiOdsetekFrm::DopiszBtnClick);
    connect(PoprawBtn, &QPushButton::clicked, this, &TStawkiOdsetekFrm::PoprawBtnClick);
    connect(UsunBtn, &QPushButton::clicked, this, &TStawkiOdsetekFrm::UsunBtnClick);
    connect(ZamknijBtn, &QPushButton::clicked, this, &QDialog::accept);
    UpdateBtns();
}

Dataset& TStawkiOdsetekFrm::lista(odsetki::Rodzaj rodzaj) {
    return rodzaj == odsetki::Rodzaj::Handlowe ? handlowe_ : ustawowe_;
}

odsetki::Rodzaj TStawkiOdsetekFrm::biezacyRodzaj() const {
    return Zakladki->currentIndex() == 1 ? odsetki::Rodzaj::Ustawowe : odsetki::Rodzaj::Handlowe;
}

std::optional<odsetki::Stawka> TStawkiOdsetekFrm::biezacaStawka() const {
    const Dataset& d = biezacyRodzaj() == odsetki::Rodzaj::Handlowe ? handlowe_ : ustawowe_;
    if (!d.current())
        return std::nullopt;
    odsetki::Stawka s;
    s.od = d.field(QStringLiteral("OD")).toDate().qdate();
    s.stawka = naSetne(d.field(QStringLiteral("STAWKA")));
    const db::Value zoz = d.field(QStringLiteral("STAWKA_ZOZ"));
    if (!zoz.isNull())
        s.stawkaZoz = naSetne(zoz);
    s.doSprawdzenia = d.field(QStringLiteral("DO_SPRAWDZENIA")).toString() == QStringLiteral("T");
    return s;
}

bool TStawkiOdsetekFrm::otworz(odsetki::Rodzaj rodzaj) {
    return dm_.OpenTbl(lista(rodzaj), QStringLiteral("Tabele odsetek"));
}

bool TStawkiOdsetekFrm::Przygotuj() {
    const bool ok = otworz(odsetki::Rodzaj::Handlowe) && otworz(odsetki::Rodzaj::Ustawowe);
    for (DataGrid* s : Siatki)
        s->resizeColumnsToContents(); // headings and rates readable in full
    UpdateBtns();
    return ok;
}

void TStawkiOdsetekFrm::Execute() {
    if (Przygotuj())
        exec();
}

void TStawkiOdsetekFrm::UpdateBtns() {
    const Dataset& d = lista(biezacyRodzaj());
    DopiszBtn->setEnabled(d.isOpen());
    PoprawBtn->setEnabled(d.isOpen() && d.current());
    UsunBtn->setEnabled(d.isOpen() && d.current());
}

void TStawkiOdsetekFrm::pokaz(odsetki::Rodzaj rodzaj, const QDate& od) {
    if (otworz(rodzaj))
        lista(rodzaj).locate(QStringLiteral("OD"), Date(od));
    UpdateBtns();
}

void TStawkiOdsetekFrm::DopiszBtnClick() {
    const odsetki::Rodzaj r = biezacyRodzaj();
    if (stawkaFrm_.Wstaw(r) == QDialog::Accepted)
        pokaz(r, stawkaFrm_.Zapisana.od);
}

void TStawkiOdsetekFrm::PoprawBtnClick() {
    const odsetki::Rodzaj r = biezacyRodzaj();
    const std::optional<odsetki::Stawka> s = biezacaStawka();
    if (!s)
        return;
    if (stawkaFrm_.Popraw(r, *s) == QDialog::Accepted)
        pokaz(r, stawkaFrm_.Zapisana.od);
    else
        pokaz(r, s->od); // another workstation may have changed it
}

void TStawkiOdsetekFrm::UsunBtnClick() {
    const odsetki::Rodzaj r = biezacyRodzaj();
    const std::optional<odsetki::Stawka> s = biezacaStawka();
    if (!s)
        return;
    if (!ZgodaDefNo(QStringLiteral("Usunąć z tabeli stawkę %1% obowiązującą od %2?")
                        .arg(odsetki::formatStawki(s->stawka), dzien(s->od))))
        return;
    const QString uwaga = stawki::usunStawke(dm_.conn, r, *s);
    if (!uwaga.isEmpty())
        Uwaga(uwaga);
    pokaz(r, s->od);
}

void TStawkiOdsetekFrm::done(int r) {
    QDialog::done(r);
    // Nothing stays read while the window is closed.
    handlowe_.close();
    ustawowe_.close();
    for (db::Transaction* tr : {&trHandlowe_, &trUstawowe_})
        if (tr->active())
            tr->commit();
}
