#pragma once

#include <QHash>
#include <QList>
#include <QString>

namespace db {
class Transaction;
}

// Payers told apart by name: "Piekarnia Złoty Kłos Sp. z o.o." and
// "PIEKARNIA ZŁOTY KŁOS SP. Z O.O." are one name.
namespace rozrachunki {

// A name compared without letter case, Polish letters, punctuation and the words of a legal
// form ("SP. Z O.O.", "SPÓŁKA JAWNA", "S.A." ...): its remaining words, upper-cased and
// folded, one blank between them. Empty when nothing else is left.
QString KluczNazwy(const QString& nazwa);

// The contractors of the register by the key of their names, read once.
class IndeksNazw {
public:
    // Reads every contractor's name in the given transaction.
    explicit IndeksNazw(db::Transaction& tr);
    IndeksNazw() = default;
    void dodaj(int klientId, const QString& nazwa);
    // The one contractor bearing this name; 0 when none or several do.
    int jedyny(const QString& nazwa) const;
    QString nazwa(int klientId) const { return nazwy_.value(klientId); }

private:
    QHash<QString, QList<int>> wgKlucza_;
    QHash<int, QString> nazwy_;
};

} // namespace rozrachunki
