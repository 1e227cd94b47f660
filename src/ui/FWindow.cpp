#include "FWindow.h"

#include <QHeaderView>
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
