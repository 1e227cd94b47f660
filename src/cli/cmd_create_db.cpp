#include "Commands.h"

#include "DatabaseCreator.h"

#include <QFile>
#include <QFileInfo>

namespace cli {

int createDb(Args args) {
    QString password = args.option(QStringLiteral("admin-password"));
    const QStringList pos = args.positional();
    if (pos.size() != 1)
        throw UsageError("expected the path of the new database");
    const QString path = QFileInfo(pos[0]).absoluteFilePath();
    const bool generated = password.isEmpty();
    if (generated)
        password = generatePassword();
    createBrevantDatabase(path, password);
    if (generated) {
        // Kept beside the database for its owner only, and shown this once.
        const QString keep = path + QStringLiteral(".password");
        QFile f(keep);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            throw std::runtime_error("nie można zapisać pliku " + keep.toStdString());
        f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        f.write(password.toUtf8() + '\n');
        f.close();
        out(QStringLiteral("Utworzono bazę danych: ") + path);
        out(QStringLiteral("Użytkownik: Administrator"));
        out(QStringLiteral("Hasło: ") + password);
        out(QStringLiteral("(hasło zapisano w pliku ") + keep +
            QStringLiteral(", dostępnym tylko dla właściciela)"));
    } else {
        out(QStringLiteral("Utworzono bazę danych: ") + path);
    }
    return ExitOk;
}

} // namespace cli
