#include "frmPolaczFirmy.h"

#include "BlokadaKsiegowania.h"
#include "fdm.h"
#include "frmSzczegoly.h"
#include "komun.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TPolaczFirmyFrm::TPolaczFirmyFrm(Tdm& dm, TSzczegolyFrm& szczegoly,
                                 std::function<int()> wybierzKontrahenta, QWidget* parent)
    : QDialog(parent), dm_(dm), szczegoly_(szczegoly),
      wybierzKontrahenta_(std::move(wybierzKontrahenta)), scalanie_(dm.conn) {
    setObjectName(QStringLiteral("PolaczFirmyFrm"));
    setWindowTitle(QStringLiteral("Scalanie danych"));
    auto nazwa = [this] {
        auto* l = new QLabel(this);
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        l->setMinimumWidth(360);
        l->setWordWrap(true);
        return l;
    };
    MainNazwaLbl = nazwa();
    SubNazwaLbl = nazwa();
    MainSzczegolyBtn = new QPushButton(QStringLiteral("Szczegóły"), this);
    WybierzBtn = new QPushButton(QStringLiteral("Wybierz"), this);
    SubSzczegolyBtn = new QPushButton(QStringLiteral("Szczegóły"), this);
    WykonajBtn = new QPushButton(QStringLiteral("Wykonaj"), this);
    ZamknijBtn = new QPushButton(QStringLiteral("Zamknij"), this);

    auto* main = new QGroupBox(QStringLiteral("Kontrahent, do którego dane będą dołączone"), this);
    auto* mainRow = new QHBoxLayout(main);
    mainRow->addWidget(MainNazwaLbl, 1);
    mainRow->addWidget(MainSzczegolyBtn);
    auto* sub = new QGroupBox(QStringLiteral("Kontrahent, którego dane zostaną dołączone"), this);
    auto* subRow = new QHBoxLayout(sub);
    subRow->addWidget(SubNazwaLbl, 1);
    subRow->addWidget(WybierzBtn);
    subRow->addWidget(SubSzczegolyBtn);
    auto* przyciski = new QHBoxLayout;
    przyciski->addStretch();
    przyciski->addWidget(WykonajBtn);
    przyciski->addWidget(ZamknijBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(main);
    layout->addWidget(sub);
    layout->addStretch();
    layout->addLayout(przyciski);

    connect(MainSzczegolyBtn, &QPushButton::clicked, this,
            [this] { szczegoly_.Execute(MainKlientId); });
    connect(SubSzczegolyBtn, &QPushButton::clicked, this,
            [this] { szczegoly_.Execute(SubKlientId); });
    connect(WybierzBtn, &QPushButton::clicked, this, &TPolaczFirmyFrm::WybierzBtnClick);
    connect(WykonajBtn, &QPushButton::clicked, this, &TPolaczFirmyFrm::WykonajBtnClick);
    connect(ZamknijBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TPolaczFirmyFrm::Przygotuj(int klientId) {
    Scalono = false;
    MainKlientId = klientId;
    SubKlientId = 0;
    MainNazwaLbl->setText(dm_.NazwaKlienta(klientId));
    SubNazwaLbl->clear();
    UpdateBtns();
    WybierzBtn->setFocus();
}

int TPolaczFirmyFrm::Execute(int klientId) {
    Przygotuj(klientId);
    return exec();
}

void TPolaczFirmyFrm::UpdateBtns() {
    WykonajBtn->setEnabled(SubKlientId > 0 && SubKlientId != MainKlientId);
    SubSzczegolyBtn->setEnabled(SubKlientId > 0);
    WybierzBtn->setEnabled(bool(wybierzKontrahenta_));
}

void TPolaczFirmyFrm::WybierzBtnClick() {
    if (!wybierzKontrahenta_)
        return;
    const int wybrany = wybierzKontrahenta_();
    if (wybrany <= 0)
        return;
    SubKlientId = wybrany;
    SubNazwaLbl->setText(dm_.NazwaKlienta(wybrany));
    UpdateBtns();
}

bool TPolaczFirmyFrm::LaczFirmyOK() {
    return scalanie_.LaczFirmyOK(MainKlientId, SubKlientId);
}

void TPolaczFirmyFrm::WykonajBtnClick() {
    if (!ZgodaDefNo(QStringLiteral("Wykonać operację scalenia danych kontrahentów?")))
        return;
    if (!ZgodaOst(QStringLiteral("Dane kontrahentów zostaną połączone! Kontynuować?")))
        return;
    bool ok = false;
    if (!PonawiajPrzyBlokadzie([&] { ok = LaczFirmyOK(); }))
        return;
    if (ok) {
        Uwaga(QStringLiteral("Dane zostały przeniesione!!!"));
        Scalono = true;
        accept();
        return;
    }
    Scalono = false;
    Uwaga(QStringLiteral("Operacja się nie powiodła."));
}
