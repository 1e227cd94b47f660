#include "Ventrol.h"

#include "Globals.h"
#include "Icons.h"
#include "SHA1.h"
#include "fdm.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
constexpr int ButtonWidth = 217;
constexpr int ButtonHeight = 85;
} // namespace

TMainFrm::TMainFrm(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("MainFrm"));
    setWindowTitle(QStringLiteral("Brevant"));
    setWindowIcon(Icons::application());
    setMinimumSize(360, 426);
    resize(560, 426);

    RozliczBtn = bigButton(QStringLiteral("&Rozliczenie"), Icons::rozliczenia());
    WyciagBtn = bigButton(QStringLiteral("Wczytaj &wyciąg bankowy"), Icons::wyciag());
    FakturyBtn = bigButton(QStringLiteral("Wczytaj &faktury"), Icons::faktury());
    KontrahBtn = bigButton(QStringLiteral("&Kontrahenci"), Icons::kontrahenci());
    connect(RozliczBtn, &QToolButton::clicked, this, &TMainFrm::Rozliczenia);
    connect(WyciagBtn, &QToolButton::clicked, this, &TMainFrm::WczytajWplaty);
    connect(FakturyBtn, &QToolButton::clicked, this, &TMainFrm::WczytajFaktury);
    connect(KontrahBtn, &QToolButton::clicked, this, &TMainFrm::Klienci);

    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(6);
    for (QToolButton* b : {RozliczBtn, WyciagBtn, FakturyBtn, KontrahBtn})
        buttons->addWidget(b);
    buttons->addStretch();

    // The space beside the buttons carries the product's name, as on a title page.
    auto* brand = new QFrame;
    brand->setObjectName(QStringLiteral("brand"));
    brand->setStyleSheet(QStringLiteral(
        "#brand { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #1f3a5f, "
        "stop:1 #2c5a7a); border-radius: 6px; }"
        "#brand QLabel { color: #fbfbf7; background: transparent; }"));
    auto* logo = new QLabel;
    logo->setPixmap(Icons::application().pixmap(64, 64));
    auto* name = new QLabel(QStringLiteral("Brevant"));
    QFont nf = name->font();
    nf.setPointSizeF(nf.pointSizeF() * 2.2);
    nf.setBold(true);
    name->setFont(nf);
    auto* tagline = new QLabel(QStringLiteral("Rozliczanie należności\nod kontrahentów"));
    tagline->setAlignment(Qt::AlignCenter);
    auto* brandLayout = new QVBoxLayout(brand);
    brandLayout->addStretch();
    brandLayout->addWidget(logo, 0, Qt::AlignHCenter);
    brandLayout->addWidget(name, 0, Qt::AlignHCenter);
    brandLayout->addWidget(tagline, 0, Qt::AlignHCenter);
    brandLayout->addStretch();

    auto* central = new QWidget;
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addLayout(buttons);
    layout->addWidget(brand, 1);
    setCentralWidget(central);

    buildMenu();
    applyAvailability();
    RozliczBtn->setFocus();

    gWindow.SetApplicationName(QStringLiteral("Brevant"));
    gWindow.SetName(objectName());
    if (gWindow.Read()) {
        move(gWindow.Left(), gWindow.Top());
        if (gWindow.Width() > 0 && gWindow.Height() > 0)
            resize(gWindow.Width(), gWindow.Height());
    }
    LoadConfig();
}

namespace {
// A launcher button that Enter presses too, as a desktop user expects of a focused button.
class EnterButton : public QToolButton {
protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            if (isEnabled())
                click();
            event->accept();
            return;
        }
        QToolButton::keyPressEvent(event);
    }
};
} // namespace

QToolButton* TMainFrm::bigButton(const QString& caption, const QIcon& icon) {
    auto* b = new EnterButton;
    b->setText(caption);
    b->setIcon(icon);
    b->setIconSize(QSize(40, 40));
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setFixedSize(ButtonWidth, ButtonHeight);
    b->setFocusPolicy(Qt::StrongFocus);
    b->setAutoRaise(false);
    return b;
}

void TMainFrm::buildMenu() {
    QMenu* system = menuBar()->addMenu(QStringLiteral("&System"));
    actKontrahenci = system->addAction(QStringLiteral("Kontr&ahenci"), this, &TMainFrm::Klienci);
    actTransakcje = system->addAction(QStringLiteral("&Transakcje"), this, [this] {
        if (actions_.transakcje)
            actions_.transakcje();
    });
    system->addSeparator();
    actUzytkownicy = system->addAction(QStringLiteral("&Użytkownicy"), this, [this] {
        if (actions_.uzytkownicy)
            actions_.uzytkownicy();
    });
    actZmianaHasla = system->addAction(QStringLiteral("Zmiana &hasła"), this, [this] {
        if (actions_.zmianaHasla)
            actions_.zmianaHasla();
    });
    actDziennik = system->addAction(QStringLiteral("&Dziennik zmian"), this, [this] {
        if (actions_.dziennik)
            actions_.dziennik();
    });
    system->addSeparator();
    actKorektaNazw = system->addAction(QStringLiteral("Korekta &nazw kontrahentów"), this, [this] {
        if (actions_.korektaNazw && actions_.korektaNazw())
            dm->OtworzKlient();
    });
    system->addSeparator();
    actDaneFirmy = system->addAction(QStringLiteral("Dane &firmy"), this, [this] {
        if (actions_.daneFirmy)
            actions_.daneFirmy();
    });
    actUstawieniaRozrachunkow =
        system->addAction(QStringLiteral("Ustawienia &rozrachunków"), this, [this] {
            if (actions_.ustawieniaRozrachunkow)
                actions_.ustawieniaRozrachunkow();
        });
    actTabeleOdsetek = system->addAction(QStringLiteral("Tabele &odsetek"), this, [this] {
        if (actions_.tabeleOdsetek)
            actions_.tabeleOdsetek();
    });
    actKursyEur = system->addAction(QStringLiteral("Kursy &euro (NBP)"), this, [this] {
        if (actions_.kursyEur)
            actions_.kursyEur();
    });
    system->addSeparator();
    actZakoncz = system->addAction(QStringLiteral("Za&kończ"), this, &TMainFrm::zakoncz);

    actRozliczenie =
        // "R&ozliczenie": Alt+R belongs to the button of the same name.
        menuBar()->addAction(QStringLiteral("R&ozliczenie"), this, &TMainFrm::Rozliczenia);

    QMenu* wczytanie = menuBar()->addMenu(QStringLiteral("W&czytanie"));
    actWczytajFaktury =
        wczytanie->addAction(QStringLiteral("Wczytaj &faktury"), this, &TMainFrm::WczytajFaktury);
    actWczytajWyciag = wczytanie->addAction(QStringLiteral("Wczytaj &wyciąg bankowy"), this,
                                            &TMainFrm::WczytajWplaty);
    actWczytajKlientow =
        wczytanie->addAction(QStringLiteral("Wczytaj &kontrahentów z pliku JPK_FAKTURA"), this,
                             &TMainFrm::WczytajKlienci);

    QMenu* windykacja = menuBar()->addMenu(QStringLiteral("Wi&ndykacja"));
    actWezwania = windykacja->addAction(
        QStringLiteral("&Wezwania do zapłaty – wszyscy dłużnicy..."), this, [this] {
            if (actions_.wezwaniaWszystkim)
                actions_.wezwaniaWszystkim();
        });
    actPotwierdzenia = windykacja->addAction(
        QStringLiteral("&Potwierdzenia salda – wszyscy kontrahenci..."), this, [this] {
            if (actions_.potwierdzeniaWszystkim)
                actions_.potwierdzeniaWszystkim();
        });
    actRejestrNot = windykacja->addAction(QStringLiteral("&Rejestr not odsetkowych"), this, [this] {
        if (actions_.rejestrNot)
            actions_.rejestrNot();
    });
    QMenu* about = menuBar()->addMenu(QStringLiteral("O &programie"));
    actWersja = about->addAction(QStringLiteral("&Wersja"), this, [this] {
        if (actions_.oProgramie)
            actions_.oProgramie();
    });
}

void TMainFrm::setActions(MainActions actions) {
    actions_ = std::move(actions);
    applyAvailability();
}

void TMainFrm::applyAvailability() {
    WyciagBtn->setEnabled(bool(actions_.wczytajWplaty));
    actWczytajWyciag->setEnabled(bool(actions_.wczytajWplaty));
    FakturyBtn->setEnabled(bool(actions_.wczytajFaktury));
    actWczytajFaktury->setEnabled(bool(actions_.wczytajFaktury));
    KontrahBtn->setEnabled(bool(actions_.klienci));
    actKontrahenci->setEnabled(bool(actions_.klienci));
    actTransakcje->setEnabled(bool(actions_.transakcje));
    actUzytkownicy->setEnabled(bool(actions_.uzytkownicy));
    actZmianaHasla->setEnabled(bool(actions_.zmianaHasla));
    actDziennik->setEnabled(bool(actions_.dziennik));
    actKorektaNazw->setEnabled(bool(actions_.korektaNazw));
    actUstawieniaRozrachunkow->setEnabled(bool(actions_.ustawieniaRozrachunkow));
    actDaneFirmy->setEnabled(bool(actions_.daneFirmy));
    actTabeleOdsetek->setEnabled(bool(actions_.tabeleOdsetek));
    actKursyEur->setEnabled(bool(actions_.kursyEur));
    actWezwania->setEnabled(bool(actions_.wezwaniaWszystkim));
    actPotwierdzenia->setEnabled(bool(actions_.potwierdzeniaWszystkim));
    actRejestrNot->setEnabled(bool(actions_.rejestrNot));
    actWczytajKlientow->setEnabled(bool(actions_.wczytajKlienci));
    actWersja->setEnabled(bool(actions_.oProgramie));
    if (!actions_.rozliczenia) {
        RozliczBtn->setEnabled(false);
        actRozliczenie->setEnabled(false);
    }
}

void TMainFrm::Rozliczenia() {
    if (actions_.rozliczenia)
        actions_.rozliczenia();
}

void TMainFrm::WczytajWplaty() {
    if (actions_.wczytajWplaty)
        poImporcie(actions_.wczytajWplaty);
}

void TMainFrm::WczytajFaktury() {
    if (actions_.wczytajFaktury)
        poImporcie(actions_.wczytajFaktury);
}

void TMainFrm::WczytajKlienci() {
    if (actions_.wczytajKlienci)
        actions_.wczytajKlienci();
}

void TMainFrm::Klienci() {
    if (!actions_.klienci)
        return;
    actions_.klienci();
    UpdateBtns();
    UpdateMenu();
}

void TMainFrm::poImporcie(const std::function<bool()>& execute) {
    db::Value remembered;
    const bool hadCurrent = dm->Klient.isOpen() && dm->Klient.current();
    if (hadCurrent)
        remembered = dm->Klient.field(QStringLiteral("KLIENTID"));
    if (!execute())
        return;
    dm->OtworzKlient();
    if (!hadCurrent || !dm->Klient.locate(QStringLiteral("KlientId"), remembered))
        dm->Klient.first();
    UpdateBtns();
    UpdateMenu();
}

void TMainFrm::UpdateBtns() {
    RozliczBtn->setEnabled(actions_.rozliczenia && dm && dm->jestFirma());
}

void TMainFrm::UpdateMenu() {
    actRozliczenie->setEnabled(actions_.rozliczenia && dm && dm->jestFirma());
    actUzytkownicy->setVisible(IsAdmin(Globals::App_Operator));
}

void TMainFrm::onActivated() {
    if (Globals::PierwszaAktywacja) {
        if (!dm || !dm->connected()) {
            QCoreApplication::exit(1);
            return;
        }
        UpdateMenu();
    }
    UpdateBtns();
    Globals::PierwszaAktywacja = false;
}

void TMainFrm::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        onActivated();
}

void TMainFrm::showCentred() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->availableGeometry();
        const QRect frame = frameGeometry();
        move(area.center() - QPoint(frame.width() / 2, frame.height() / 2));
    }
    UpdateBtns();
    focusFirstEnabledButton();
    show();
}

void TMainFrm::focusFirstEnabledButton() {
    for (QToolButton* b : {RozliczBtn, WyciagBtn, FakturyBtn, KontrahBtn}) {
        if (b->isEnabled()) {
            b->setFocus();
            return;
        }
    }
}

void TMainFrm::zakoncz() {
    if (dm)
        dm->closeConnection();
    close();
}

void TMainFrm::closeEvent(QCloseEvent* event) {
    // The placement first: it is kept even when the program is made to end while closing.
    gWindow.SetLeft(x());
    gWindow.SetTop(y());
    gWindow.SetWidth(width());
    gWindow.SetHeight(height());
    gWindow.Write();
    SaveConfig();
    if (dm)
        dm->closeConnection();
    event->accept();
}
