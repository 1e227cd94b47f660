#include "frmKursyEur.h"

#include "DataGrid.h"
#include "DialogButtons.h"
#include "KlientNbp.h"
#include "Swieta.h"
#include "WaitCursor.h"
#include "fdm.h"
#include "komun.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString dzien(const QDate& d) {
    return d.toString(QStringLiteral("dd.MM.yyyy"));
}

std::vector<DatasetColumn> kolumny() {
    const Qt::Alignment prawo = Qt::AlignRight | Qt::AlignVCenter;
    return {
        {QStringLiteral("DATA"), QStringLiteral("Dzień tabeli"),
         [](const db::Value& v) { return dzien(v.toDate().qdate()); }},
        {QStringLiteral("KURS"), QStringLiteral("Kurs EUR (zł)"),
         [](const db::Value& v) { return kursy::formatKursu(v.toMoney()); }, prawo},
        {QStringLiteral("TABELA"), QStringLiteral("Tabela NBP"), {}},
        {QStringLiteral("ZRODLO"), QStringLiteral("Źródło"),
         [](const db::Value& v) {
             return v.toString() == QStringLiteral("R") ? QStringLiteral("wpisany ręcznie")
                                                        : QStringLiteral("pobrany z NBP");
         }},
    };
}

QDateEdit* poleMiesiaca(QWidget* rodzic) {
    auto* e = new QDateEdit(rodzic);
    e->setDisplayFormat(QStringLiteral("MM.yyyy"));
    e->setCalendarPopup(true);
    return e;
}

} // namespace

TKursEurFrm::TKursEurFrm(Tdm& dm, QWidget* parent) : QDialog(parent), dm_(dm) {
    setObjectName(QStringLiteral("KursEurFrm"));
    setWindowTitle(QStringLiteral("Kurs euro"));
    DataEd = new QDateEdit(this);
    DataEd->setCalendarPopup(true);
    DataEd->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    KursEd = new QLineEdit(this);
    KursEd->setMaxLength(10);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Dzień tabeli (ostatni dzień roboczy miesiąca)"), DataEd);
    form->addRow(QStringLiteral("Średni &kurs EUR (zł)"), KursEd);
    const DialogButtons buttons = layOutFormDialog(*this, form, QStringLiteral("&Zapisz"));
    ZapiszBtn = buttons.ok;
    AnulujBtn = buttons.anuluj;
    connect(ZapiszBtn, &QPushButton::clicked, this, &TKursEurFrm::ZapiszBtnClick);
}

void TKursEurFrm::PrzygotujWstaw() {
    stary_.reset();
    const QDate m = QDate::currentDate().addMonths(-1);
    DataEd->setDate(swieta::ostatniDzienRoboczy(m.year(), m.month()));
    KursEd->clear();
    KursEd->setFocus();
}

void TKursEurFrm::PrzygotujPopraw(const kursy::KursEur& kurs) {
    stary_ = kurs;
    DataEd->setDate(kurs.data);
    KursEd->setText(kursy::formatKursu(kurs.kurs));
    KursEd->setFocus();
}

void TKursEurFrm::ZapiszBtnClick() {
    const std::optional<Money> kurs = kursy::parsujKurs(KursEd->text());
    if (!kurs) {
        Uwaga(QStringLiteral("Podaj kurs euro w złotych, np. 4,3125 (najwyżej cztery miejsca po "
                             "przecinku)."));
        return;
    }
    const QDate data = DataEd->date();
    const QString uwaga = stary_ ? kursy::poprawKursRecznie(dm_.conn, *stary_, data, *kurs)
                                 : kursy::dopiszKursRecznie(dm_.conn, data, *kurs);
    if (!uwaga.isEmpty()) {
        Uwaga(uwaga);
        return;
    }
    Zapisany = data;
    accept();
}

TPobierzKursyFrm::TPobierzKursyFrm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("PobierzKursyFrm"));
    setWindowTitle(QStringLiteral("Pobierz kursy euro z NBP"));
    OdEd = poleMiesiaca(this);
    DoEd = poleMiesiaca(this);
    auto* opis = new QLabel(QStringLiteral("Z każdego miesiąca pobierany jest kurs z ostatniego "
                                           "dnia roboczego (tabela A)."),
                            this);
    opis->setWordWrap(true);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Od miesiąca"), OdEd);
    form->addRow(QStringLiteral("&Do miesiąca"), DoEd);
    form->addRow(opis);
    const DialogButtons buttons = layOutFormDialog(*this, form, QStringLiteral("&Pobierz"));
    PobierzBtn = buttons.ok;
    connect(PobierzBtn, &QPushButton::clicked, this, &QDialog::accept);
}

void TPobierzKursyFrm::Przygotuj(const QDate& dzis) {
    // The last month whose last table is out, and a year back from it.
    QDate ostatni = dzis.addMonths(-1);
    if (dzis >= swieta::ostatniDzienRoboczy(dzis.year(), dzis.month()))
        ostatni = dzis;
    DoEd->setDate(QDate(ostatni.year(), ostatni.month(), 1));
    OdEd->setDate(QDate(ostatni.year(), ostatni.month(), 1).addMonths(-11));
}

struct TKursyEurTbl::Lista {
    explicit Lista(db::Attachment& att)
        : tr(att, db::Isolation::ReadCommitted),
          kursy(tr, QStringLiteral("SELECT DATA, KURS, TABELA, ZRODLO FROM KURS_EUR "
                                   "ORDER BY DATA DESC")) {}
    db::Transaction tr;
    Dataset kursy;
};

TKursyEurTbl::TKursyEurTbl(Tdm& dm, TKursEurFrm& kursFrm, TKlientNbp& nbp, QWidget* parent)
    : TKursyEurTbl(dm, kursFrm, nbp, std::make_unique<Lista>(dm.conn), parent) {}

TKursyEurTbl::TKursyEurTbl(Tdm& dm, TKursEurFrm& kursFrm, TKlientNbp& nbp,
                           std::unique_ptr<Lista> lista, QWidget* parent)
    : TListaTbl(lista->kursy, kolumny(),
                {QStringLiteral("&Dopisz"), QStringLiteral("&Popraw"), QStringLiteral("&Usuń")},
                parent),
      dm_(dm), kursFrm_(kursFrm), nbp_(nbp), lista_(std::move(lista)) {
    setObjectName(QStringLiteral("KursyEurTbl"));
    setWindowTitle(QStringLiteral("Kursy euro (NBP)"));
    PobierzBtn = dodajPrzycisk(QStringLiteral("Pobierz z &NBP..."));
    PobierzFrm = new TPobierzKursyFrm(this);
    connect(PobierzBtn, &QPushButton::clicked, this, [this] {
        PobierzFrm->Przygotuj();
        if (PobierzFrm->exec() == QDialog::Accepted)
            Pobierz(PobierzFrm->OdEd->date(), PobierzFrm->DoEd->date());
    });
    resize(620, 420);
    UpdateBtns();
}

TKursyEurTbl::~TKursyEurTbl() = default;

const Dataset& TKursyEurTbl::Kursy() const {
    return lista_->kursy;
}

bool TKursyEurTbl::Otworz() {
    const bool ok = dm_.OpenTbl(lista_->kursy, QStringLiteral("Kursy euro"));
    PobierzBtn->setEnabled(ok);
    return ok;
}

std::optional<kursy::KursEur> TKursyEurTbl::biezacy() const {
    const Dataset& d = lista_->kursy;
    if (!d.current())
        return std::nullopt;
    return kursy::KursEur{d.field(QStringLiteral("DATA")).toDate().qdate(),
                          d.field(QStringLiteral("KURS")).toMoney(),
                          d.field(QStringLiteral("TABELA")).toString(),
                          d.field(QStringLiteral("ZRODLO")).toString() == QStringLiteral("R")};
}

void TKursyEurTbl::pokaz(const QDate& dzien) {
    if (Otworz() && dzien.isValid())
        lista_->kursy.locate(QStringLiteral("DATA"), Date(dzien));
    UpdateBtns();
}

void TKursyEurTbl::Dopisz() {
    kursFrm_.PrzygotujWstaw();
    if (kursFrm_.exec() == QDialog::Accepted)
        pokaz(kursFrm_.Zapisany);
}

void TKursyEurTbl::Popraw() {
    const std::optional<kursy::KursEur> k = biezacy();
    if (!k)
        return;
    kursFrm_.PrzygotujPopraw(*k);
    pokaz(kursFrm_.exec() == QDialog::Accepted ? kursFrm_.Zapisany : k->data);
}

bool TKursyEurTbl::Usun() {
    const std::optional<kursy::KursEur> k = biezacy();
    if (!k)
        return false;
    if (!Zgoda(QStringLiteral("Usunąć z tabeli kurs euro z dnia %1?").arg(dzien(k->data))))
        return false;
    const QString uwaga = kursy::usunKurs(dm_.conn, k->data);
    if (!uwaga.isEmpty())
        Uwaga(uwaga);
    pokaz({});
    return true;
}

void TKursyEurTbl::Zakoncz() {
    lista_->kursy.close();
    if (lista_->tr.active())
        lista_->tr.commit();
}

void TKursyEurTbl::Pobierz(const QDate& odMiesiaca, const QDate& doMiesiaca) {
    // The network first, with nothing of the database held; then one short write.
    TKlientNbp::Wynik w;
    int nowe = 0;
    {
        const WaitCursor kursor;
        w = nbp_.pobierzKursyMiesiecy(odMiesiaca, doMiesiaca);
        if (!w.kursy.empty())
            nowe = kursy::zapiszKursyNbp(dm_.conn, w.kursy);
    }
    pokaz(w.kursy.empty() ? QDate() : w.kursy.back().data);
    const QString pobrane = QStringLiteral("Pobrano z NBP kursów: %1 (nowych w tabeli: %2).")
                                .arg(w.kursy.size())
                                .arg(nowe);
    if (!w.ok) {
        Uwaga((w.kursy.empty() ? QString() : pobrane + u'\r') + w.blad);
        return;
    }
    Info(pobrane);
}
