#include "OstatniFolder.h"

#include "FWindow.h"

#include <QDir>
#include <QFileInfo>

namespace {
QString sciezka(const QString& klucz) {
    return QStringLiteral("Brevant/Ostatnie/") + klucz;
}
} // namespace

QVariant Zapamietane::wartosc(const QString& klucz, const QVariant& domyslna) {
    return UserSettings::open().value(sciezka(klucz), domyslna);
}

void Zapamietane::ustaw(const QString& klucz, const QVariant& wartosc) {
    QSettings s = UserSettings::open();
    if (s.value(sciezka(klucz)) != wartosc)
        s.setValue(sciezka(klucz), wartosc);
}

QString OstatniFolder::wczytaj(const QString& rodzaj) {
    const QString f = Zapamietane::wartosc(rodzaj + QStringLiteral("/Folder")).toString();
    return !f.isEmpty() && QFileInfo(f).isDir() ? f : QString();
}

void OstatniFolder::zapisz(const QString& rodzaj, const QString& plikLubFolder) {
    if (plikLubFolder.trimmed().isEmpty())
        return;
    const QFileInfo f(QDir::fromNativeSeparators(plikLubFolder.trimmed()));
    const QString folder = f.isDir() ? f.absoluteFilePath() : f.absolutePath();
    Zapamietane::ustaw(rodzaj + QStringLiteral("/Folder"), QDir::toNativeSeparators(folder));
}

QString OstatniFolder::poczatek(const QString& rodzaj, const QString& wPolu) {
    const QString pole = wPolu.trimmed();
    if (!pole.isEmpty() && QFileInfo::exists(QDir::fromNativeSeparators(pole)))
        return pole;
    return wczytaj(rodzaj);
}
