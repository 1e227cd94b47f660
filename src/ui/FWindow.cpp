#include "FWindow.h"

#include <QSettings>

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
