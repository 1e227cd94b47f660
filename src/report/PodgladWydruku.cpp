#include "PodgladWydruku.h"

#include "EksportCsv.h"
#include "komun.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPageLayout>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QStandardPaths>
#include <QToolBar>

#include <exception>

namespace wydruk {

TPodgladWydruku::TPodgladWydruku(Wydruk wydruk, const QString& tytul, const QString& nazwaPliku,
                                 QWidget* rodzic)
    : wydruk_(std::move(wydruk)), tytul_(tytul), nazwaPliku_(nazwaPliku),
      drukarka_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    drukarka_->setDocName(tytul);
    drukarka_->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    okno_ = std::make_unique<QPrintPreviewDialog>(drukarka_.get(), rodzic);
    okno_->setWindowTitle(QStringLiteral("Podgląd wydruku - ") + tytul);
    if (const QScreen* ekran = okno_->screen()) {
        const QRect dostepne = ekran->availableGeometry();
        okno_->resize(std::min(900, dostepne.width()), std::min(1000, dostepne.height() * 9 / 10));
    }
    QObject::connect(okno_.get(), &QPrintPreviewDialog::paintRequested, okno_.get(),
                     [this](QPrinter* p) {
                         try {
                             wydruk_(*p);
                         } catch (const std::exception& e) {
                             Blad(QString::fromUtf8(e.what()));
                         }
                     });

    wybierzPlik = [this](const QString& filtr, const QString& nazwa) {
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QFileDialog dialog(okno_.get(), QStringLiteral("Eksport wydruku"),
                           QDir(folder).filePath(nazwa), filtr);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        // The dialog adds the extension to a name typed without it before it asks whether to
        // replace an existing file, so the question is about the file that is written.
        dialog.setDefaultSuffix(QFileInfo(nazwa).suffix());
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    };

    QToolBar* pasek = okno_->findChild<QToolBar*>();
    if (pasek) {
        // The printouts are A4 portrait by design: turning the page would only mislead.
        for (QAction* a : pasek->actions()) {
            const QString t = a->text();
            if (t == QCoreApplication::translate("QPrintPreviewDialog", "Portrait") ||
                t == QCoreApplication::translate("QPrintPreviewDialog", "Landscape"))
                a->setVisible(false);
        }
        pasek->addSeparator();
    }
    akcjaPdf_ = new QAction(QStringLiteral("Eksport do PDF"), okno_.get());
    akcjaPdf_->setToolTip(QStringLiteral("Zapisz wydruk w pliku PDF"));
    QObject::connect(akcjaPdf_, &QAction::triggered, okno_.get(), [this] {
        eksport(QStringLiteral("Pliki PDF (*.pdf)"), QStringLiteral("pdf"),
                &TPodgladWydruku::eksportujPdf);
    });
    akcjaCsv_ = new QAction(QStringLiteral("Eksport do CSV"), okno_.get());
    akcjaCsv_->setToolTip(QStringLiteral("Zapisz listę w pliku CSV dla arkusza kalkulacyjnego"));
    akcjaCsv_->setVisible(false);
    QObject::connect(akcjaCsv_, &QAction::triggered, okno_.get(), [this] {
        eksport(QStringLiteral("Pliki CSV (*.csv)"), QStringLiteral("csv"),
                &TPodgladWydruku::eksportujCsv);
    });
    if (pasek) {
        pasek->addAction(akcjaPdf_);
        pasek->addAction(akcjaCsv_);
    } else {
        okno_->addAction(akcjaPdf_);
        okno_->addAction(akcjaCsv_);
    }
}

TPodgladWydruku::~TPodgladWydruku() = default;

void TPodgladWydruku::setEksportCsv(DaneListy lista) {
    setEksportCsv([l = std::move(lista)] { return csvListy(l); });
}

void TPodgladWydruku::setEksportCsv(std::function<QByteArray()> csv) {
    csv_ = std::move(csv);
    akcjaCsv_->setVisible(true);
}

int TPodgladWydruku::Execute() {
    return okno_->exec();
}

void TPodgladWydruku::eksport(const QString& filtr, const QString& rozszerzenie,
                              bool (TPodgladWydruku::*zapisz)(const QString&)) {
    QString plik = wybierzPlik(filtr, nazwaPliku_ + u'.' + rozszerzenie);
    if (plik.isEmpty())
        return;
    if (QFileInfo(plik).suffix().compare(rozszerzenie, Qt::CaseInsensitive) != 0) {
        plik += u'.' + rozszerzenie;
        // A dialog that returned the name without its extension asked about another file.
        if (QFileInfo::exists(plik) &&
            !ZgodaDefNo(QStringLiteral("Plik %1 już istnieje.\rZastąpić go?")
                            .arg(QDir::toNativeSeparators(plik))))
            return;
    }
    (this->*zapisz)(plik);
}

bool TPodgladWydruku::eksportujPdf(const QString& plik) {
    const QString blad = zapiszPdf(wydruk_, plik, tytul_);
    if (!blad.isEmpty()) {
        Blad(blad);
        return false;
    }
    Info(QStringLiteral("Zapisano plik %1.").arg(QDir::toNativeSeparators(plik)));
    return true;
}

bool TPodgladWydruku::eksportujCsv(const QString& plik) {
    if (!csv_)
        return false;
    const QString blad = zapiszCsv(csv_(), plik);
    if (!blad.isEmpty()) {
        Blad(blad);
        return false;
    }
    Info(QStringLiteral("Zapisano plik %1.").arg(QDir::toNativeSeparators(plik)));
    return true;
}

QString nazwaPlikuDowodu(const DaneDowodu& dane) {
    return QStringLiteral("Dowod_wplaty_%1").arg(dane.wpisId);
}

QString nazwaPlikuListy(const DaneListy& dane) {
    return (dane.rodzaj == RodzajListy::Dluznicy ? QStringLiteral("Zobowiazania_kontrahentow_")
                                                 : QStringLiteral("Nadplaty_")) +
           dane.dataWydruku.toString(Qt::ISODate);
}

QString nazwaPlikuWiekowania(const rozrachunki::Wiekowanie& dane) {
    return QStringLiteral("Wiekowanie_naleznosci_") + dane.naDzien.toIso();
}

void pokazWiekowanie(const DaneWiekowania& dane, QWidget* rodzic) {
    TPodgladWydruku p(wydrukWiekowania(dane), tytulWiekowania(dane.wiekowanie),
                      nazwaPlikuWiekowania(dane.wiekowanie), rodzic);
    p.setEksportCsv([w = dane.wiekowanie] { return csvWiekowania(w); });
    p.Execute();
}

void pokazDowod(const DaneDowodu& dane, QWidget* rodzic) {
    TPodgladWydruku p(wydrukDowodu(dane), QStringLiteral("Dowód wpłaty"), nazwaPlikuDowodu(dane),
                      rodzic);
    p.Execute();
}

void pokazNote(const dokumenty::NotaOdsetkowa& nota, QWidget* rodzic) {
    TPodgladWydruku p(wydrukNoty(nota), tytulNoty(nota), nazwaPlikuNoty(nota), rodzic);
    p.Execute();
}

void pokazWezwania(const std::vector<dokumenty::WezwanieDoZaplaty>& wezwania, QWidget* rodzic) {
    if (wezwania.empty())
        return;
    const QString nazwa = wezwania.size() == 1
                              ? nazwaPlikuWezwania(wezwania.front())
                              : QStringLiteral("Wezwania_do_zaplaty_") +
                                    wezwania.front().dataWystawienia.toString(Qt::ISODate);
    TPodgladWydruku p(wydrukWezwan(wezwania), QStringLiteral("Wezwanie do zapłaty"), nazwa, rodzic);
    p.Execute();
}

void pokazPotwierdzenia(const std::vector<dokumenty::PotwierdzenieSalda>& potwierdzenia,
                        QWidget* rodzic) {
    if (potwierdzenia.empty())
        return;
    const QString nazwa = potwierdzenia.size() == 1
                              ? nazwaPlikuPotwierdzenia(potwierdzenia.front())
                              : QStringLiteral("Potwierdzenia_salda_") +
                                    potwierdzenia.front().naDzien.toString(Qt::ISODate);
    TPodgladWydruku p(wydrukPotwierdzen(potwierdzenia), QStringLiteral("Potwierdzenie salda"),
                      nazwa, rodzic);
    p.Execute();
}

void pokazListe(const DaneListy& dane, QWidget* rodzic) {
    TPodgladWydruku p(wydrukListy(dane), tytulListy(dane.rodzaj), nazwaPlikuListy(dane), rodzic);
    p.setEksportCsv(dane);
    p.Execute();
}

} // namespace wydruk
