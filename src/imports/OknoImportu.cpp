#include "OknoImportu.h"

#include "WaitCursor.h"
#include "komun.h"

#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <exception>

namespace oknoimportu {

QHBoxLayout* WierszPliku(const QString& etykieta, const QString& podpowiedz, QLineEdit*& plikEd,
                         QPushButton*& przegladajBtn) {
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(etykieta));
    plikEd = new QLineEdit;
    top->addWidget(plikEd, 1);
    przegladajBtn = new QPushButton(QStringLiteral("..."));
    przegladajBtn->setToolTip(podpowiedz);
    top->addWidget(przegladajBtn);
    return top;
}

void WybierzPlik(QWidget* parent, QLineEdit* plikEd, const QString& filtr) {
    const QString name = QFileDialog::getOpenFileName(parent, QStringLiteral("Przeglądanie"),
                                                      plikEd->text().trimmed(), filtr);
    if (!name.isEmpty())
        plikEd->setText(QDir::toNativeSeparators(name));
}

void UstawListe(QTableView* grid, QAbstractItemModel* model,
                std::initializer_list<int> szerokosci) {
    grid->setModel(model);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->verticalHeader()->hide();
    grid->setWordWrap(false);
    grid->horizontalHeader()->setStretchLastSection(true);
    int kolumna = 0;
    for (const int szerokosc : szerokosci)
        grid->setColumnWidth(kolumna++, szerokosc);
}

void ZaznaczPierwszy(QTableView* grid, std::function<void()> potem) {
    QObject::connect(grid->model(), &QAbstractItemModel::modelReset, grid,
                     [grid, potem = std::move(potem)] {
                         if (grid->model()->rowCount() > 0)
                             grid->selectRow(0);
                         if (potem)
                             potem();
                     });
}

void Wysrodkuj(QWidget* okno) {
    if (const QScreen* s = okno->screen())
        okno->move(s->availableGeometry().center() - okno->rect().center());
}

std::optional<JpkDocument> OtworzJpk(const QString& plik) {
    try {
        WaitCursor wait;
        return JpkDocument::open(plik);
    } catch (const JpkRefused& e) {
        Uwaga(e.message());
        return std::nullopt;
    }
}

WynikOdczytu CzytajListe(const std::function<void()>& czytaj,
                         const std::function<void(const WynikOdczytu&)>& pokaz) {
    WynikOdczytu wynik;
    WaitCursor wait;
    try {
        czytaj();
    } catch (const JpkRefused& e) {
        wynik.odmowa = e.message();
    } catch (const std::exception& e) {
        wynik.blad = QString::fromUtf8(e.what());
    }
    pokaz(wynik);
    return wynik;
}

} // namespace oknoimportu

void ZakladkaRaportu::dodaj(QTabWidget* tabs) {
    tabs_ = tabs;
    zakladka_ = new QWidget;
    auto* rapLay = new QVBoxLayout(zakladka_);
    tekst_ = new QPlainTextEdit;
    tekst_->setReadOnly(true);
    rapLay->addWidget(tekst_);
    tabs_->addTab(zakladka_, QStringLiteral("Raport"));
}

void ZakladkaRaportu::pokaz(bool widoczna) {
    tabs_->setTabVisible(tabs_->indexOf(zakladka_), widoczna);
}

void ZakladkaRaportu::wybierz() {
    pokaz(true);
    tabs_->setCurrentWidget(zakladka_);
}

void ZakladkaRaportu::wybierzGdyNapisany() {
    if (!tekst_->toPlainText().isEmpty())
        wybierz();
}

bool ZakladkaRaportu::widoczna() const {
    return tabs_->isTabVisible(tabs_->indexOf(zakladka_));
}
