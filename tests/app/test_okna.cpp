// Walks every window of the program offscreen, as the program makes them, and checks what
// must hold in each: no mnemonic claimed twice, a mnemonic for every button and field, labels
// ending with a colon, Tab and Shift+Tab reaching every control without being trapped, lists
// that grow with the window. A window added to OknaProgramu is walked too.
//
// With BREVANT_ZRZUTY set to a folder, every window is also saved there as a picture at two
// sizes (run under xvfb-run with QT_QPA_PLATFORM=xcb to see them as a user would).

#include "DataGrid.h"
#include "FWindow.h"
#include "Klawiatura.h"
#include "OknaProgramu.h"
#include "PodgladWydruku.h"
#include "StatementBuilder.h"
#include "TestDatabase.h"
#include "Wydruki.h"
#include "fks.h"
#include "frmWindykacja.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>

namespace {

// The letter a text claims with "&" (lower case); none when it claims none.
QChar litera(const QString& tekst) {
    for (qsizetype i = 0; i + 1 < tekst.size(); ++i) {
        if (tekst[i] != u'&')
            continue;
        if (tekst[i + 1] == u'&') {
            ++i;
            continue;
        }
        return tekst[i + 1].toLower();
    }
    return {};
}

QString bezMnemonika(QString t) {
    return t.replace(QStringLiteral("&&"), QStringLiteral("\x01"))
        .remove(u'&')
        .replace(u'\x01', u'&');
}

QString opis(const QWidget* w) {
    return QString::fromLatin1(w->metaObject()->className()) + u' ' +
           (w->objectName().isEmpty() ? QString() : w->objectName() + u' ');
}

bool wOknie(const QWidget* w, const QWidget* okno) {
    return w->window() == okno && w->isVisible();
}

// A field's own parts (the box of a date field, of an editable list) are the field.
QWidget* calosc(QWidget* w, const QWidget* okno) {
    for (QWidget* p = w ? w->parentWidget() : nullptr; p && p != okno; p = p->parentWidget())
        if (qobject_cast<QAbstractSpinBox*>(p) || qobject_cast<QComboBox*>(p))
            return p;
    return w;
}

bool pole(const QWidget* w) {
    if (auto* e = qobject_cast<const QLineEdit*>(w))
        return !e->isReadOnly();
    if (auto* t = qobject_cast<const QPlainTextEdit*>(w))
        return !t->isReadOnly();
    if (auto* t = qobject_cast<const QTextEdit*>(w))
        return !t->isReadOnly();
    return qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w);
}

struct Roszczenie {
    QChar litera;
    QString kto;
};

// Every letter claimed by what is shown now: buttons, labels of fields, group titles, tab
// titles, the menu bar.
std::vector<Roszczenie> roszczenia(QWidget* okno) {
    std::vector<Roszczenie> r;
    auto dodaj = [&r](const QString& tekst, const QString& kto) {
        const QChar c = litera(tekst);
        if (!c.isNull())
            r.push_back({c, kto + u'"' + tekst + u'"'});
    };
    for (QWidget* w : okno->findChildren<QWidget*>()) {
        if (!wOknie(w, okno))
            continue;
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            dodaj(b->text(), opis(w));
        else if (auto* l = qobject_cast<QLabel*>(w); l && l->buddy())
            dodaj(l->text(), opis(w));
        else if (auto* g = qobject_cast<QGroupBox*>(w))
            dodaj(g->title(), opis(w));
        else if (auto* t = qobject_cast<QTabBar*>(w))
            for (int i = 0; i < t->count(); ++i)
                if (t->isTabVisible(i))
                    dodaj(t->tabText(i), opis(w));
    }
    if (auto* glowne = qobject_cast<QMainWindow*>(okno))
        for (QAction* a : glowne->menuBar()->actions())
            if (a->isVisible())
                dodaj(a->text(), QStringLiteral("menu "));
    return r;
}

// Buttons of which one is chosen (radio buttons, an exclusive group) are one stop for Tab, as
// everywhere: Tab reaches the group, the arrows choose within it.
std::vector<QAbstractButton*> grupa(QAbstractButton* b) {
    std::vector<QAbstractButton*> g;
    if (b->group() && b->group()->exclusive()) {
        for (QAbstractButton* x : b->group()->buttons())
            g.push_back(x);
    } else if (b->autoExclusive() && b->parentWidget()) {
        for (QAbstractButton* x : b->parentWidget()->findChildren<QAbstractButton*>(
                 QString(), Qt::FindDirectChildrenOnly))
            if (x->autoExclusive())
                g.push_back(x);
    }
    return g;
}

// What a user reaches with Tab: every shown, enabled control that takes focus from the
// keyboard.
std::set<QWidget*> doOsiagniecia(QWidget* okno) {
    std::set<QWidget*> s;
    for (QWidget* w : okno->findChildren<QWidget*>()) {
        if (!wOknie(w, okno) || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus) ||
            w->focusProxy())
            continue;
        s.insert(calosc(w, okno));
    }
    return s;
}

class WszystkieOkna : public DbTest {
protected:
    void SetUp() override {
        QStandardPaths::setTestModeEnabled(true);
        UserSettings::open().remove(QString());
        UkladOkien::zainstaluj();
        Klawiatura::zainstaluj();
        DbTest::SetUp();
        addKlient(1, QStringLiteral("Alfa sp. z o.o."), QStringLiteral("PL"),
                  QStringLiteral("5260250274"));
        addKlient(2, QStringLiteral("Beta Handel"));
        addKonto(10, 1, QStringLiteral("PL"), QStringLiteral("61109010140000071219812874"));
        addTrans(20, 1, "1234.50", "NULL");
        addTrans(21, 1, "NULL", "200.00");
        addTrans(22, 2, "NULL", "50.00");
        data->openStartupLists();
        ks = std::make_unique<Tks>(data->conn);
        glowne = std::make_unique<TMainFrm>();
        okna = std::make_unique<OknaProgramu>(*data, *ks, *glowne,
                                              QStringLiteral("https://127.0.0.1:9"),
                                              QStringLiteral("https://127.0.0.1:9"));
        glowne->setActions(okna->akcje());
        using wydruk::TDokumentyWindykacjiFrm;
        windykacjaOkna.push_back(std::make_unique<wydruk::TRejestrNotFrm>(data->conn, 0));
        windykacjaOkna.push_back(std::make_unique<wydruk::TNotaOdsetkowaFrm>(
            data->conn, 1, QStringLiteral("Alfa sp. z o.o.")));
        windykacjaOkna.push_back(std::make_unique<TDokumentyWindykacjiFrm>(
            data->conn, TDokumentyWindykacjiFrm::Rodzaj::Wezwania, 0, QString()));
        windykacjaOkna.push_back(std::make_unique<TDokumentyWindykacjiFrm>(
            data->conn, TDokumentyWindykacjiFrm::Rodzaj::Potwierdzenia, 1,
            QStringLiteral("Alfa sp. z o.o.")));
        for (const auto& d : windykacjaOkna)
            windykacja.push_back(d.get());
        podglad = std::make_unique<wydruk::TPodgladWydruku>(
            wydruk::wydrukListy({wydruk::RodzajListy::Dluznicy,
                                 {{"Alfa", Money::fromWhole(5)}},
                                 QDate::currentDate(),
                                 {}}),
            QStringLiteral("Zobowiązania kontrahentów"), QStringLiteral("lista"));
    }
    void TearDown() override {
        for (QWidget* w : wszystkie())
            w->hide();
        podglad.reset();
        windykacja.clear();
        windykacjaOkna.clear();
        okna.reset();
        glowne.reset();
        ks.reset();
        DbTest::TearDown();
    }

    // The windows as a user sees them: each prepared as its Execute prepares it.
    void przygotuj(QWidget* okno) {
        OknaProgramu& o = *okna;
        if (okno == &o.rozliczeniaFrm)
            o.rozliczeniaFrm.Przygotuj();
        else if (okno == &o.klienciFrm)
            o.klienciFrm.Przygotuj();
        else if (okno == &o.operacjeTbl)
            o.operacjeTbl.Przygotuj();
        else if (okno == &o.operatorTbl)
            o.operatorTbl.Przygotuj();
        else if (okno == &o.szczegolyFrm)
            o.szczegolyFrm.Przygotuj(1);
        else if (okno == &o.transFrm)
            o.transFrm.PrzygotujInsert(1);
        else if (okno == &o.szukajKlientaFrm)
            o.szukajKlientaFrm.Przygotuj();
        else if (okno == &o.polaczFirmyFrm)
            o.polaczFirmyFrm.Przygotuj(1);
        else if (okno == &o.klientFrm)
            o.klientFrm.PrzygotujWstaw();
        else if (okno == &o.kontoFrm)
            o.kontoFrm.PrzygotujWstaw(1);
        else if (okno == &o.wybierzKodKRFrm)
            o.wybierzKodKRFrm.Przygotuj(QStringLiteral("PL"));
        else if (okno == &o.wczytajWplatyFrm) {
            // A statement listed whose payer has the name of a contractor from an account
            // nobody has: the window shows every tab it can, "Propozycje płatników" too.
            o.wczytajWplatyFrm.Reset();
            const QString plik = database->folder() + QStringLiteral("/okna.sta");
            writeFile(plik, ingStatement({{'C', "1234,50", "39105010120000000000001111",
                                           "BETA HANDEL", "Zaliczka"}}));
            o.wczytajWplatyFrm.setNazwaPliku(plik);
            o.wczytajWplatyFrm.WczytajBtnClick();
            EXPECT_TRUE(o.wczytajWplatyFrm.propozycjeVisible());
        } else if (okno == &o.fakturyFrm)
            o.fakturyFrm.Resetuj();
        else if (okno == &o.dziennikFrm)
            o.dziennikFrm.Przygotuj();
        else if (okno == &o.ustawieniaRozrachunkowFrm)
            o.ustawieniaRozrachunkowFrm.Przygotuj();
    }

    std::vector<QWidget*> wszystkie() {
        std::vector<QWidget*> w{glowne.get()};
        std::set<QWidget*> juz{glowne.get()};
        for (QWidget* o : okna->okna()) {
            if (juz.insert(o).second)
                w.push_back(o);
            for (QDialog* d : o->findChildren<QDialog*>())
                if (d->isWindow() && juz.insert(d).second)
                    w.push_back(d);
        }
        w.push_back(&podglad->okno());
        // The collection windows are made when asked for; walked as they open.
        for (QDialog* d : windykacja)
            w.push_back(d);
        return w;
    }

    void pokaz(QWidget* okno) {
        przygotuj(okno);
        okno->show();
        QApplication::setActiveWindow(okno);
        okno->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(okno)) << opis(okno).toStdString();
    }

    // Every state the window shows a user: each page of each tab widget in turn.
    template <typename F> void wKazdymStanie(QWidget* okno, F sprawdz) {
        sprawdz(QStringLiteral("(pierwsza strona)"));
        for (QTabWidget* t : okno->findChildren<QTabWidget*>()) {
            if (!wOknie(t, okno))
                continue;
            const int bylo = t->currentIndex();
            for (int i = 0; i < t->count(); ++i) {
                if (!t->isTabVisible(i) || i == bylo)
                    continue;
                t->setCurrentIndex(i);
                QApplication::processEvents();
                sprawdz(QStringLiteral("(zakładka \"%1\")").arg(t->tabText(i)));
            }
            t->setCurrentIndex(bylo);
        }
    }

    std::unique_ptr<Tks> ks;
    std::unique_ptr<TMainFrm> glowne;
    std::unique_ptr<OknaProgramu> okna;
    std::unique_ptr<wydruk::TPodgladWydruku> podglad;
    std::vector<std::unique_ptr<QDialog>> windykacjaOkna;
    std::vector<QDialog*> windykacja;
};

} // namespace

TEST_F(WszystkieOkna, EveryWindowHasAStableNameOfItsOwn) {
    std::map<QString, QWidget*> nazwy;
    for (QWidget* okno : wszystkie()) {
        ASSERT_TRUE(UkladOkien::pilnowane(okno)) << opis(okno).toStdString();
        const QString n = UkladOkien::nazwaOkna(okno);
        EXPECT_TRUE(nazwy.emplace(n, okno).second) << n.toStdString() << " twice";
    }
}

TEST_F(WszystkieOkna, NoMnemonicClaimedTwiceAndEveryControlHasOne) {
    for (QWidget* okno : wszystkie()) {
        if (okno == &podglad->okno())
            continue; // Qt's own toolbar of icons
        pokaz(okno);
        wKazdymStanie(okno, [&](const QString& stan) {
            const QString gdzie = opis(okno) + stan + QStringLiteral(": ");
            std::map<QChar, QString> kto;
            for (const Roszczenie& r : roszczenia(okno)) {
                const auto [it, nowe] = kto.emplace(r.litera, r.kto);
                EXPECT_TRUE(nowe) << (gdzie + QStringLiteral("Alt+") + r.litera + u' ' +
                                      it->second + QStringLiteral(" and ") + r.kto)
                                         .toStdString();
            }
            for (QWidget* w : okno->findChildren<QWidget*>()) {
                if (!wOknie(w, okno) || calosc(w, okno) != w)
                    continue;
                if (auto* b = qobject_cast<QAbstractButton*>(w)) {
                    if (qobject_cast<QTabBar*>(w->parentWidget()) || b->text().isEmpty() ||
                        b->focusPolicy() == Qt::NoFocus)
                        continue;
                    EXPECT_FALSE(litera(b->text()).isNull())
                        << (gdzie + opis(w) + b->text() + QStringLiteral(" has no mnemonic"))
                               .toStdString();
                }
                if (auto* l = qobject_cast<QLabel*>(w); l && l->buddy()) {
                    const QString t = bezMnemonika(l->text()).trimmed();
                    EXPECT_TRUE(t.endsWith(u':')) << (gdzie + QStringLiteral("label \"") +
                                                      l->text() + QStringLiteral("\" has no colon"))
                                                         .toStdString();
                }
                if (pole(w)) {
                    bool nazwane = false;
                    for (QLabel* l : okno->findChildren<QLabel*>())
                        if (l->buddy() && (l->buddy() == w || l->buddy()->focusProxy() == w) &&
                            !litera(l->text()).isNull())
                            nazwane = true;
                    for (QWidget* p = w->parentWidget(); p && p != okno; p = p->parentWidget())
                        if (auto* g = qobject_cast<QGroupBox*>(p);
                            g && !litera(g->title()).isNull())
                            nazwane = true;
                    EXPECT_TRUE(nazwane) << (gdzie + opis(w) +
                                             QStringLiteral("is a field no label names with a "
                                                            "mnemonic"))
                                                .toStdString();
                }
            }
        });
        okno->hide();
    }
}

TEST_F(WszystkieOkna, TabAndShiftTabReachEveryControlAndLeaveEveryList) {
    for (QWidget* okno : wszystkie()) {
        pokaz(okno);
        wKazdymStanie(okno, [&](const QString& stan) {
            const std::set<QWidget*> cel = doOsiagniecia(okno);
            if (cel.empty())
                return;
            for (const Qt::Key klawisz : {Qt::Key_Tab, Qt::Key_Backtab}) {
                (*cel.begin())->setFocus(Qt::OtherFocusReason);
                std::set<QWidget*> byly;
                for (size_t i = 0; i < 2 * cel.size() + 2; ++i) {
                    QWidget* przed = calosc(QApplication::focusWidget(), okno);
                    ASSERT_NE(przed, nullptr) << opis(okno).toStdString();
                    QTest::keyClick(QApplication::focusWidget(), klawisz);
                    QWidget* po = calosc(QApplication::focusWidget(), okno);
                    if (cel.size() > 1) {
                        EXPECT_NE(po, przed)
                            << (opis(okno) + stan + QStringLiteral(": Tab stays in ") + opis(przed))
                                   .toStdString();
                    }
                    byly.insert(po);
                }
                for (QWidget* w : cel) {
                    bool osiagniety = byly.count(w) > 0;
                    if (auto* b = qobject_cast<QAbstractButton*>(w))
                        for (QAbstractButton* x : grupa(b))
                            osiagniety = osiagniety || byly.count(x) > 0;
                    EXPECT_TRUE(osiagniety)
                        << (opis(okno) + stan +
                            (klawisz == Qt::Key_Tab ? QStringLiteral(": Tab")
                                                    : QStringLiteral(": Shift+Tab")) +
                            QStringLiteral(" never reaches ") + opis(w))
                               .toStdString();
                }
            }
        });
        okno->hide();
    }
}

TEST_F(WszystkieOkna, ListsGrowWithTheirWindowAndFillIt) {
    const QString zrzuty = qEnvironmentVariable("BREVANT_ZRZUTY");
    if (!zrzuty.isEmpty())
        QDir().mkpath(zrzuty);
    for (QWidget* okno : wszystkie()) {
        pokaz(okno);
        const QSize maly =
            okno->minimumSizeHint().expandedTo(okno->minimumSize()).expandedTo({400, 300});
        okno->resize(maly);
        QApplication::processEvents();
        wKazdymStanie(okno, [&](const QString& stan) {
            std::map<QTableView*, QSize> przed;
            for (QTableView* s : okno->findChildren<QTableView*>())
                if (wOknie(s, okno))
                    przed[s] = s->size();
            const QString nazwa = UkladOkien::nazwaOkna(okno) + stan.simplified().remove(u'"');
            if (!zrzuty.isEmpty())
                okno->grab().save(QDir(zrzuty).filePath(nazwa + QStringLiteral("-maly.png")));
            okno->resize(maly + QSize(300, 200));
            QApplication::processEvents();
            if (!zrzuty.isEmpty())
                okno->grab().save(QDir(zrzuty).filePath(nazwa + QStringLiteral("-duzy.png")));
            for (const auto& [s, rozmiar] : przed) {
                EXPECT_GE(s->width() - rozmiar.width(), 40)
                    << (opis(okno) + stan + QStringLiteral(": a list keeps its width: ") + opis(s))
                           .toStdString();
                // The columns fill the list: the last one (or one set to) takes the rest.
                const QHeaderView* h = s->horizontalHeader();
                bool wypelnia = h->stretchLastSection();
                for (int i = 0; i < h->count(); ++i)
                    wypelnia = wypelnia || h->sectionResizeMode(i) == QHeaderView::Stretch;
                EXPECT_TRUE(wypelnia)
                    << (opis(okno) + stan + QStringLiteral(": columns leave a gap in ") + opis(s))
                           .toStdString();
            }
            okno->resize(maly);
            QApplication::processEvents();
        });
        okno->hide();
    }
}

TEST_F(WszystkieOkna, PlaceSizeAndColumnWidthsComeBackNextTime) {
    TKlienciFrm& rejestr = okna->klienciFrm;
    rejestr.Przygotuj();
    rejestr.show();
    rejestr.resize(790, 590); // the offscreen screen is 800 x 600
    rejestr.move(5, 7);
    rejestr.KlientGrid->setColumnWidth(2, 333);
    rejestr.KlientGrid->setColumnWidth(4, 2);
    QApplication::processEvents();
    rejestr.done(QDialog::Accepted);

    // The next run: another window object reads what the first one left.
    okna.reset();
    okna = std::make_unique<OknaProgramu>(*data, *ks, *glowne, QString(), QString());
    TKlienciFrm& znowu = okna->klienciFrm;
    znowu.Przygotuj();
    znowu.show();
    QApplication::processEvents();
    EXPECT_EQ(znowu.size(), QSize(790, 590));
    EXPECT_EQ(znowu.pos(), QPoint(5, 7));
    EXPECT_EQ(znowu.KlientGrid->columnWidth(2), 333);
    EXPECT_EQ(znowu.KlientGrid->columnWidth(4), GridLayout::MinSzerokosc);
    {
        QSettings s = UserSettings::open();
        EXPECT_EQ(s.value(QStringLiteral("Brevant/Grid/KontrahGrid/Kol2")).toInt(), 333);
        EXPECT_EQ(s.value(QStringLiteral("Brevant/KlienciFrm/Width")).toInt(), 790);
    }
    znowu.done(QDialog::Accepted);

    // A place off every screen (a screen since removed) opens centred instead.
    UserSettings::open().setValue(QStringLiteral("Brevant/KlienciFrm/Left"), 50000);
    znowu.Przygotuj();
    znowu.show();
    QApplication::processEvents();
    EXPECT_TRUE(znowu.screen()->availableGeometry().intersects(znowu.frameGeometry()));
    znowu.done(QDialog::Accepted);
}
