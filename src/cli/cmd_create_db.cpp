#include "Commands.h"

#include "DatabaseCreator.h"
#include "Services.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace cli {

int createDb(Args args) {
    QString password = args.option(QStringLiteral("admin-password"));
    db::ConnectionParams params = connectionFromArgs(args, false);
    const QStringList pos = args.positional();
    if (pos.size() != 1)
        throw UsageError("expected the path of the new database");
    // host:/path is made by that server; a plain path here, by the embedded engine.
    const bool onServer = db::splitServerPath(pos[0]).has_value();
    const QString path = onServer ? pos[0] : QFileInfo(pos[0]).absoluteFilePath();
    params.database = path;
    params.forceEmbedded = !onServer;
    const bool generated = password.isEmpty();
    if (generated)
        password = generatePassword();
    createBrevantDatabase(params, password);
    if (generated) {
        // Kept for its owner only, and shown this once: beside the database when it is
        // local, in the current folder when the server holds the database.
        const QString keep =
            onServer
                ? QDir::current().filePath(QFileInfo(db::splitServerPath(path)->path).fileName() +
                                           QStringLiteral(".password"))
                : path + QStringLiteral(".password");
        QFile f(keep);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            throw std::runtime_error("nie można zapisać pliku " + keep.toStdString());
        f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        f.write(password.toUtf8() + '\n');
        f.close();
        // A password printed and kept in a file is for the first login only.
        oznaczHasloDoZmiany(params, QFileInfo(keep).absoluteFilePath());
        out(QStringLiteral("Utworzono bazę danych: ") + path);
        out(QStringLiteral("Użytkownik: Administrator"));
        out(QStringLiteral("Hasło: ") + password);
        out(QStringLiteral("(hasło zapisano w pliku ") + keep +
            QStringLiteral(", dostępnym tylko dla właściciela; przy pierwszym logowaniu program "
                           "poprosi o nowe hasło i usunie ten plik)"));
    } else {
        out(QStringLiteral("Utworzono bazę danych: ") + path);
    }
    return ExitOk;
}

} // namespace cli
