#include "frmPobierzKonta.h"

#include "BlokadaKsiegowania.h"
#include "Statement.h"
#include "StringFun.h"
#include "Transaction.h"
#include "WaitCursor.h"
#include "ZapisPodBlokada.h"
#include "fdm.h"
#include "komun.h"
#include "uWhiteListFrm.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSet>
#include <QVBoxLayout>

bool TaSamaNazwa(const QString& a, const QString& b) {
    const auto znaki = [](const QString& s) {
        QString out;
        for (const QChar c : s.toUpper())
            if (c.isLetterOrNumber())
                out += c;
        return out;
    };
    return znaki(a) == znaki(b);
}

TPobierzKontaFrm::TPobierzKontaFrm(Tdm& dm, TWhiteListFrm& whiteList, QWidget* parent)
    : QDialog(parent), dm_(dm), whiteList_(whiteList) {
    setWindowTitle(QStringLiteral("Numery rachunków bankowych"));
    resize(520, 400);
    Lista = new QListWidget;
    StanLbl = new QLabel;
    NazwaLbl = new QLabel;
    StatusLbl = new QLabel;
    AdresLbl = new QLabel;
    for (QLabel* l : {NazwaLbl, StatusLbl, AdresLbl}) {
        l->setWordWrap(true);
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    OstrzezenieLbl = new QLabel;
    OstrzezenieLbl->setWordWrap(true);
    OstrzezenieLbl->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));
    PobierzBtn = new QPushButton(QStringLiteral("&Pobierz"));
    ZapiszBtn = new QPushButton(QStringLiteral("&Zapisz"));
    ZamknijBtn = new QPushButton(QStringLiteral("Zamknij"));
    for (QPushButton* b : {ZapiszBtn, ZamknijBtn})
        b->setAutoDefault(false);
    PobierzBtn->setDefault(true);

    auto* podmiot = new QFormLayout;
    podmiot->addRow(QStringLiteral("Nazwa w wykazie:"), NazwaLbl);
    podmiot->addRow(QStringLiteral("Status VAT:"), StatusLbl);
    podmiot->addRow(QStringLiteral("Adres:"), AdresLbl);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(PobierzBtn);
    buttons->addWidget(ZapiszBtn);
    buttons->addStretch();
    buttons->addWidget(ZamknijBtn);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(StanLbl);
    lay->addLayout(podmiot);
    lay->addWidget(OstrzezenieLbl);
    lay->addWidget(new QLabel(QStringLiteral("Rachunki do zapisania (zaznacz właściwe):")));
    lay->addWidget(Lista, 1);
    lay->addLayout(buttons);

    connect(PobierzBtn, &QPushButton::clicked, this, &TPobierzKontaFrm::PobierzBtnClick);
    connect(ZapiszBtn, &QPushButton::clicked, this, &TPobierzKontaFrm::ZapiszBtnClick);
    connect(ZamknijBtn, &QPushButton::clicked, this, &TPobierzKontaFrm::reject);
    connect(Lista, &QListWidget::itemChanged, this, &TPobierzKontaFrm::UpdateBtns);
    pokazPodmiot(false);
}

void TPobierzKontaFrm::pokazPodmiot(bool widoczny) {
    if (!widoczny) {
        NazwaLbl->clear();
        StatusLbl->clear();
        AdresLbl->clear();
        OstrzezenieLbl->clear();
    }
    OstrzezenieLbl->setVisible(!OstrzezenieLbl->text().isEmpty());
}

void TPobierzKontaFrm::Resetuj(const QString& Nip) {
    aNip = Nip;
    FDodano = 0;
    Lista->clear();
    pokazPodmiot(false);
    // The accounts go to the first contractor (in name order) with the number.
    nazwaKontrahenta_.clear();
    try {
        db::Transaction tr(dm_.conn, db::Isolation::ReadCommitted);
        tr.start();
        db::Statement s(tr, QStringLiteral("SELECT NAZWA FROM KLIENT WHERE UPPER(NR_NIP) = "
                                           "UPPER(CAST(? AS VARCHAR(12))) ORDER BY NAZWA ROWS 1"));
        s.bindAll({Nip.left(12)});
        db::Row r;
        if (s.fetchOne(r))
            nazwaKontrahenta_ = r[0].toString();
        tr.commit();
    } catch (const std::exception&) {
        // the name is only compared; without it every answer is warned about
    }
    StanLbl->setText(QStringLiteral("Kontrahent: ") + nazwaKontrahenta_ +
                     QStringLiteral(", numer VAT: ") + Nip);
    UpdateBtns();
}

void TPobierzKontaFrm::Execute(const QString& Nip) {
    Resetuj(Nip);
    exec();
}

void TPobierzKontaFrm::UpdateBtns() {
    bool zaznaczone = false;
    for (int i = 0; i < Lista->count(); ++i)
        zaznaczone = zaznaczone || Lista->item(i)->checkState() == Qt::Checked;
    PobierzBtn->setEnabled(!czeka_);
    ZamknijBtn->setEnabled(!czeka_);
    ZapiszBtn->setEnabled(!czeka_ && zaznaczone);
}

void TPobierzKontaFrm::PobierzBtnClick() {
    if (czeka_)
        return;
    Lista->clear();
    pokazPodmiot(false);
    czeka_ = true;
    UpdateBtns();
    const QString stan = StanLbl->text();
    StanLbl->setText(QStringLiteral("Trwa pobieranie danych z wykazu podatników VAT…"));
    {
        // The lookup lets the window repaint while it waits; the buttons stay off meanwhile.
        WaitCursor wait;
        whiteList_.PobierzNumeryKont(aNip);
    }
    czeka_ = false;
    StanLbl->setText(stan);
    if (whiteList_.DownloadError) {
        UpdateBtns();
        Uwaga(QStringLiteral("Wystąpił błąd podczas pobierania."));
        return;
    }
    const recWhiteListSubject& p = whiteList_.WhiteListSubject;
    NazwaLbl->setText(p.Name);
    StatusLbl->setText(p.StatusVat);
    AdresLbl->setText(!p.workingAddress.isEmpty() ? p.workingAddress : p.residenceAddress);
    // A mistyped tax number brings a stranger's accounts: whose they are is shown, and when it
    // is not this contractor nothing is ticked until the user decides.
    const bool inna = !p.Name.isEmpty() && !TaSamaNazwa(p.Name, nazwaKontrahenta_);
    OstrzezenieLbl->setText(
        inna ? QStringLiteral("Uwaga: nazwa w wykazie różni się od nazwy kontrahenta „%1”. "
                              "Sprawdź numer VAT i zaznacz tylko rachunki tego kontrahenta.")
                   .arg(nazwaKontrahenta_)
             : QString());
    pokazPodmiot(true);
    if (whiteList_.Konta.isEmpty()) {
        UpdateBtns();
        Uwaga(QStringLiteral(
            "Nie znaleziono żadnego numeru rachunku bankowego\rdla podanego kontrahenta."));
        return;
    }
    {
        const QSignalBlocker cicho(Lista);
        for (const QString& konto : whiteList_.Konta) {
            auto* item = new QListWidgetItem(FormatKonto(konto), Lista);
            item->setData(Qt::UserRole, konto);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(inna ? Qt::Unchecked : Qt::Checked);
        }
    }
    UpdateBtns();
}

void TPobierzKontaFrm::ZapiszBtnClick() {
    if (czeka_ || !ZapiszBtn->isEnabled())
        return;
    QStringList konta;
    for (int i = 0; i < Lista->count(); ++i)
        if (Lista->item(i)->checkState() == Qt::Checked)
            konta << Lista->item(i)->data(Qt::UserRole).toString();
    QStringList innych;
    QSet<int> komu; // the contractor the accounts went to
    int dodane = 0;
    const bool zapisano = PonawiajPrzyBlokadzie([&] {
        innych.clear();
        for (const QString& konto : konta) {
            const WynikDopisaniaKonta w = DopiszKontoKlienta(dm_.conn, aNip, konto);
            if (w.stan == WynikDopisaniaKonta::Stan::Dodano) {
                ++dodane;
                komu.insert(w.klientId);
            } else if (w.stan == WynikDopisaniaKonta::Stan::JestUKlienta &&
                       !komu.contains(w.klientId))
                innych << FormatKonto(konto) + QStringLiteral(" (") + dm_.NazwaKlienta(w.klientId) +
                              u')';
        }
    });
    FDodano = dodane;
    if (!zapisano)
        return;
    // An account registered already (for this or another contractor) is named, not added.
    if (!innych.isEmpty())
        Info(QStringLiteral("Zapisano rachunków: %1.\rTe rachunki są już w wykazie i nie zostały "
                            "dodane:\r")
                 .arg(dodane) +
             innych.join(u'\r'));
    accept();
}

void TPobierzKontaFrm::reject() {
    if (czeka_)
        return; // the lookup ends first (at the latest at its time-out)
    QDialog::reject();
}
