#include "OknoImportu.h"

#include "FWindow.h"
#include "OstatniFolder.h"
#include "PodgladWydruku.h"
#include "Siatka.h"
#include "WaitCursor.h"
#include "komun.h"

#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

#include <exception>

namespace oknoimportu {

QHBoxLayout* WierszPliku(const QString& etykieta, const QString& podpowiedz, QLineEdit*& plikEd,
                         QPushButton*& przegladajBtn) {
    auto* top = new QHBoxLayout;
    auto* opis = new QLabel(etykieta);
    top->addWidget(opis);
    plikEd = new QLineEdit;
    opis->setBuddy(plikEd);
    top->addWidget(plikEd, 1);
    przegladajBtn = new QPushButton(QStringLiteral("Prze&glądaj..."));
    przegladajBtn->setToolTip(podpowiedz);
    top->addWidget(przegladajBtn);
    return top;
}

void WybierzPlik(QWidget* parent, QLineEdit* plikEd, const QString& filtr) {
    const QString import = UkladOkien::nazwaOkna(parent->window());
    const QString name =
        QFileDialog::getOpenFileName(parent, QStringLiteral("Przeglądanie"),
                                     OstatniFolder::poczatek(import, plikEd->text()), filtr);
    if (name.isEmpty())
        return;
    OstatniFolder::zapisz(import, name);
    plikEd->setText(QDir::toNativeSeparators(name));
}

void UstawListe(Siatka* grid, QAbstractItemModel* model, std::initializer_list<int> szerokosci) {
    grid->setModel(model);
    grid->horizontalHeader()->setStretchLastSection(true);
    int kolumna = 0;
    for (const int szerokosc : szerokosci)
        grid->setColumnWidth(kolumna++, szerokosc);
}

void ZaznaczPierwszy(Siatka* grid, std::function<void()> potem) {
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

void ZakladkaRaportu::dodaj(QTabWidget* tabs, const QString& tytul) {
    tabs_ = tabs;
    tytul_ = tytul;
    zakladka_ = new QWidget;
    auto* rapLay = new QVBoxLayout(zakladka_);
    tekst_ = new QPlainTextEdit;
    tekst_->setReadOnly(true);
    tekst_->setTabChangesFocus(true);
    tekst_->setLineWrapMode(QPlainTextEdit::NoWrap);
    zapisz_ = new QPushButton(QStringLiteral("Zapi&sz raport..."));
    drukuj_ = new QPushButton(QStringLiteral("Drukuj ra&port"));
    for (QPushButton* b : {zapisz_, drukuj_})
        b->setAutoDefault(false);
    auto* przyciski = new QHBoxLayout;
    przyciski->addStretch();
    przyciski->addWidget(zapisz_);
    przyciski->addWidget(drukuj_);
    rapLay->addWidget(tekst_, 1);
    rapLay->addLayout(przyciski);
    tabs_->addTab(zakladka_, tytul);
    QObject::connect(zapisz_, &QPushButton::clicked, zakladka_, [this] { zapiszKlik(); });
    QObject::connect(drukuj_, &QPushButton::clicked, zakladka_, [this] { drukujKlik(); });
    wybierzPlik = [this](const QString& proponowany) {
        return QFileDialog::getSaveFileName(zakladka_->window(), QStringLiteral("Zapisz raport"),
                                            proponowany, QStringLiteral("Pliki tekstowe (*.txt)"));
    };
}

QString ZakladkaRaportu::tytulWydruku() const {
    return zakladka_->window()->windowTitle() + QStringLiteral(" – ") + tytul_;
}

QString ZakladkaRaportu::nazwaPliku() const {
    QString n = tytul_;
    n.replace(u' ', u'_');
    return n + u'_' + QDate::currentDate().toString(Qt::ISODate);
}

QString ZakladkaRaportu::zapisz(const QString& plik) const {
    QSaveFile f(plik);
    const QByteArray tresc = tekst_->toPlainText().replace(u'\n', QStringLiteral("\r\n")).toUtf8();
    if (!f.open(QIODevice::WriteOnly) || f.write(tresc) < 0 || !f.commit())
        return QStringLiteral("Nie udało się zapisać pliku %1:\r%2").arg(plik, f.errorString());
    return {};
}

void ZakladkaRaportu::zapiszKlik() {
    const QString folder = OstatniFolder::wczytaj(QStringLiteral("Raport"));
    QString plik = wybierzPlik(QDir(folder).filePath(nazwaPliku() + QStringLiteral(".txt")));
    if (plik.isEmpty())
        return;
    if (QFileInfo(plik).suffix().isEmpty())
        plik += QStringLiteral(".txt");
    OstatniFolder::zapisz(QStringLiteral("Raport"), plik);
    const QString blad = zapisz(plik);
    if (!blad.isEmpty())
        Blad(blad);
    else
        Info(QStringLiteral("Zapisano plik %1.").arg(QDir::toNativeSeparators(plik)));
}

void ZakladkaRaportu::drukujKlik() {
    wydruk::DaneRaportu d;
    d.tytul = tytulWydruku();
    d.wiersze = tekst_->toPlainText().split(u'\n');
    d.dataWydruku = QDate::currentDate();
    wydruk::pokazRaport(d, nazwaPliku(), zakladka_->window());
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
