#include "FWindow.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QSettings>
#include <QTableView>

namespace {
QSettings store() {
#ifdef Q_OS_WIN
    return QSettings(QStringLiteral("HKEY_CURRENT_USER\\Software\\Quorvel"),
                     QSettings::NativeFormat);
#else
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, UserSettings::organization(),
                     UserSettings::organization());
#endif
}

const char* const Fields[] = {"Left", "Top", "Width", "Height"};
} // namespace

QString UserSettings::organization() {
    return QStringLiteral("Quorvel");
}

QSettings UserSettings::open() {
    return store();
}

QString TWindow::key() const {
    return applicationName_ + u'/' + name_;
}

bool TWindow::Read() {
    QSettings s = store();
    if (!s.childGroups().contains(applicationName_))
        return false;
    s.beginGroup(applicationName_);
    if (!s.childGroups().contains(name_))
        return false;
    s.beginGroup(name_);
    void (TWindow::*setters[])(int) = {&TWindow::SetLeft, &TWindow::SetTop, &TWindow::SetWidth,
                                       &TWindow::SetHeight};
    for (int i = 0; i < 4; ++i) {
        const QVariant v = s.value(QString::fromLatin1(Fields[i]));
        bool ok = false;
        const int value = v.toInt(&ok);
        if (v.isValid() && ok)
            (this->*setters[i])(value);
    }
    return true;
}

void TWindow::Write() const {
    QSettings s = store();
    s.beginGroup(key());
    const int values[] = {left_, top_, width_, height_};
    for (int i = 0; i < 4; ++i) {
        const QString field = QString::fromLatin1(Fields[i]);
        const QVariant old = s.value(field);
        bool ok = false;
        // Values equal to the stored ones are left untouched.
        if (!old.isValid() || old.toInt(&ok) != values[i] || !ok)
            s.setValue(field, values[i]);
    }
}

namespace {
QString gridGroup(const QString& gridName) {
    return QStringLiteral("Brevant/Grid/") + gridName;
}
} // namespace

QString GridLayout::NazwaKol(int i) {
    return QStringLiteral("Kol") + QString::number(i);
}

std::vector<int> GridLayout::WczytajSzerokosci(const QString& gridName, std::vector<int> widths) {
    QSettings s = store();
    s.beginGroup(gridGroup(gridName));
    const QStringList stored = s.childKeys();
    for (size_t i = 0; i < widths.size() && !stored.isEmpty(); ++i) {
        const QString name = NazwaKol(static_cast<int>(i));
        if (!stored.contains(name))
            continue;
        bool ok = false;
        const int width = s.value(name).toInt(&ok);
        if (ok)
            widths[i] = std::max(width, MinSzerokosc);
    }
    return widths;
}

void GridLayout::ZapiszSzerokosci(const QString& gridName, const std::vector<int>& widths) {
    QSettings s = store();
    s.beginGroup(gridGroup(gridName));
    for (size_t i = 0; i < widths.size(); ++i) {
        const QString name = NazwaKol(static_cast<int>(i));
        const QVariant old = s.value(name);
        bool ok = false;
        if (!old.isValid() || old.toInt(&ok) != widths[i] || !ok)
            s.setValue(name, widths[i]);
    }
}

namespace {
std::vector<int> widthsOf(const QTableView& grid) {
    const QHeaderView* h = grid.horizontalHeader();
    std::vector<int> w(static_cast<size_t>(h->count()));
    for (int i = 0; i < h->count(); ++i)
        w[static_cast<size_t>(i)] = h->sectionSize(h->logicalIndex(i));
    return w;
}
} // namespace

void GridLayout::LoadGridCol(QTableView& grid, const QString& gridName) {
    const std::vector<int> w = WczytajSzerokosci(gridName, widthsOf(grid));
    grid.horizontalHeader()->setMinimumSectionSize(MinSzerokosc);
    for (size_t i = 0; i < w.size(); ++i)
        grid.setColumnWidth(grid.horizontalHeader()->logicalIndex(static_cast<int>(i)), w[i]);
}

void GridLayout::SaveGridCol(const QTableView& grid, const QString& gridName) {
    ZapiszSzerokosci(gridName, widthsOf(grid));
}

namespace {

const QString Maks = QStringLiteral("Maks");

TWindow placement(const QWidget* okno) {
    TWindow w;
    w.SetApplicationName(QStringLiteral("Brevant"));
    w.SetName(UkladOkien::nazwaOkna(okno));
    return w;
}

// A place is usable when the window's title bar lies on one of the screens.
bool naEkranie(const QRect& miejsce) {
    const QRect pasek(miejsce.left(), miejsce.top(), miejsce.width(), 30);
    for (const QScreen* s : QGuiApplication::screens())
        if (s->availableGeometry().intersected(pasek).width() >= 60)
            return true;
    return false;
}

class Straznik : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* obiekt, QEvent* zdarzenie) override {
        if (zdarzenie->type() != QEvent::Show && zdarzenie->type() != QEvent::Hide)
            return false;
        auto* okno = qobject_cast<QWidget*>(obiekt);
        if (!okno || !okno->isWindow() || zdarzenie->spontaneous() || !UkladOkien::pilnowane(okno))
            return false;
        if (zdarzenie->type() == QEvent::Show)
            UkladOkien::przywroc(okno);
        else
            UkladOkien::zapamietaj(okno);
        return false;
    }
};

} // namespace

void UkladOkien::zainstaluj() {
    static QPointer<Straznik> straznik;
    if (qApp && !straznik) {
        straznik = new Straznik(qApp);
        qApp->installEventFilter(straznik);
    }
}

bool UkladOkien::pilnowane(const QWidget* okno) {
    if (!okno || !okno->isWindow())
        return false;
    if (qobject_cast<const QMessageBox*>(okno) || qobject_cast<const QFileDialog*>(okno))
        return false;
    if (!qobject_cast<const QDialog*>(okno) && !qobject_cast<const QMainWindow*>(okno))
        return false;
    return !okno->objectName().isEmpty() || okno->metaObject()->className()[0] != 'Q';
}

QString UkladOkien::nazwaOkna(const QWidget* okno) {
    return okno->objectName().isEmpty() ? QString::fromLatin1(okno->metaObject()->className())
                                        : okno->objectName();
}

std::vector<std::pair<QTableView*, QString>> UkladOkien::siatki(QWidget* okno) {
    std::vector<std::pair<QTableView*, QString>> wynik;
    int pozycja = 0;
    for (QTableView* s : okno->findChildren<QTableView*>()) {
        if (s->window() != okno)
            continue; // a list of a window inside this one is that window's
        wynik.emplace_back(s, s->objectName().isEmpty()
                                  ? nazwaOkna(okno) + u'.' + QString::number(pozycja)
                                  : s->objectName());
        ++pozycja;
    }
    return wynik;
}

void UkladOkien::przywroc(QWidget* okno) {
    TWindow w = placement(okno);
    w.SetWidth(okno->width());
    w.SetHeight(okno->height());
    if (w.Read()) {
        const QScreen* ekran = okno->screen() ? okno->screen() : QGuiApplication::primaryScreen();
        const QRect dostepne = ekran ? ekran->availableGeometry() : QRect(0, 0, 1024, 768);
        const QSize rozmiar = QSize(w.Width(), w.Height())
                                  .expandedTo(okno->minimumSize())
                                  .boundedTo(dostepne.size())
                                  .expandedTo(QSize(1, 1));
        okno->resize(rozmiar);
        const QRect miejsce(QPoint(w.Left(), w.Top()), okno->frameGeometry().size());
        if (naEkranie(miejsce))
            okno->move(miejsce.topLeft());
        else
            okno->move(dostepne.center() - QPoint(okno->width() / 2, okno->height() / 2));
        if (UserSettings::open().value(w.key() + u'/' + Maks).toBool())
            okno->setWindowState(okno->windowState() | Qt::WindowMaximized);
    }
    for (const auto& [siatka, nazwa] : siatki(okno))
        if (siatka->horizontalHeader()->count() > 0)
            GridLayout::LoadGridCol(*siatka, nazwa);
}

void UkladOkien::zapamietaj(QWidget* okno) {
    TWindow w = placement(okno);
    const bool maks = okno->isMaximized();
    // A maximised window is kept with the place it returns to.
    const QRect normalne = maks ? okno->normalGeometry() : okno->geometry();
    const QPoint rog = maks ? normalne.topLeft() : okno->pos();
    w.SetLeft(rog.x());
    w.SetTop(rog.y());
    w.SetWidth(normalne.width());
    w.SetHeight(normalne.height());
    w.Write();
    UserSettings::open().setValue(w.key() + u'/' + Maks, maks);
    for (const auto& [siatka, nazwa] : siatki(okno))
        if (siatka->horizontalHeader()->count() > 0)
            GridLayout::SaveGridCol(*siatka, nazwa);
}
