#include "Commands.h"

#include "Attachment.h"
#include "CofniecieImportu.h"

#include <QSet>

#include <functional>

namespace cli {

namespace {

int wykonaj(const std::function<cofniecie::Wynik()>& cofnij) {
    try {
        const cofniecie::Wynik w = cofnij();
        for (const QString& line : w.opis)
            out(line);
        return ExitOk;
    } catch (const cofniecie::Odmowa& e) {
        throw Refused(e.komunikat() +
                      (e.wiersze().isEmpty() ? QString() : u'\r' + e.wiersze().join(u'\r')));
    }
}

} // namespace

// Undoes a booked statement by its registration (WYCIAG.WPISID, which book-statement and the
// window's history show): its payments are removed and the statement may be booked again.
// Refused (exit 2, the rows listed) when a payment was changed since.
int unbookStatement(Args args) {
    const db::ConnectionParams params = connectionFromArgs(args);
    const QStringList pos = args.positional();
    bool ok = false;
    const int wpisId = pos.size() == 1 ? pos[0].toInt(&ok) : 0;
    if (!ok || wpisId <= 0)
        throw UsageError("expected the statement's registration number (WPISID)");
    db::Attachment att(params);
    requireCurrentSchema(att);
    return wykonaj([&] { return cofniecie::CofnijWyciag(att, wpisId); });
}

// Undoes every booking of an invoice file, named by its path as booked (or, when no booking
// has that path, by its file name). Refused (exit 2) when an invoice was changed since, or
// when the name alone matches files of several folders.
int unbookInvoices(Args args) {
    const db::ConnectionParams params = connectionFromArgs(args);
    const QStringList pos = args.positional();
    if (pos.size() != 1)
        throw UsageError("expected one file name");
    db::Attachment att(params);
    requireCurrentSchema(att);
    const auto importy = cofniecie::ImportyPliku(att, pos[0]);
    if (importy.empty())
        throw Refused(QStringLiteral("Nie ma zaksięgowanych faktur z pliku ") + pos[0] +
                      QStringLiteral("."));
    QSet<QString> sciezki;
    std::vector<int> ids;
    for (const auto& [id, plik] : importy) {
        sciezki.insert(plik);
        ids.push_back(id);
    }
    if (sciezki.size() > 1) {
        QStringList lista(sciezki.begin(), sciezki.end());
        lista.sort();
        throw Refused(QStringLiteral("Pliki o tej nazwie zaksięgowano z kilku folderów; podaj "
                                     "pełną ścieżkę:\r") +
                      lista.join(u'\r'));
    }
    return wykonaj([&] { return cofniecie::CofnijFaktury(att, ids); });
}

} // namespace cli
