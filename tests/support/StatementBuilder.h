#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

#include <cstdlib>
#include <vector>

// Writes small ING statements for tests: one credit or debit per entry.
struct TxSpec {
    char side = 'C';
    QString amount = QStringLiteral("10,00");
    QString account;
    QString name;
    QString title = QStringLiteral("Tytul");
    QString date = QStringLiteral("230301");
};

inline const QString IngOwner = QStringLiteral("PL79105010120000000012345678");

inline QString subfields(int first, int last, const QString& text, int width = 35) {
    QString out;
    int field = first;
    for (qsizetype pos = 0; pos < text.size() && field <= last; pos += width, ++field)
        out += QStringLiteral("~%1").arg(field) + text.mid(pos, width);
    return out;
}

// Grosze of "1234,50" (the amount of a balance line or a transaction); -1 when unreadable.
inline long long groszeOf(const QString& amount) {
    const qsizetype comma = amount.indexOf(u',');
    if (comma < 1)
        return -1;
    bool ok1 = false;
    bool ok2 = true;
    const long long whole = amount.left(comma).toLongLong(&ok1);
    const QString dec = amount.mid(comma + 1).leftJustified(2, u'0');
    const long long cents = dec.isEmpty() ? 0 : dec.toLongLong(&ok2);
    return ok1 && ok2 ? whole * 100 + cents : -1;
}

// The closing balance a statement must state to add up: opening plus credits minus debits.
// An opening that is no balance line (a test of a refusal) keeps a fixed closing line.
inline QString closingBalance(const QString& opening, const std::vector<TxSpec>& txs) {
    long long g = opening.size() > 10 ? groszeOf(opening.mid(10)) : -1;
    if (g < 0 || !(opening.startsWith(u'C') || opening.startsWith(u'D')))
        return QStringLiteral("C230302PLN6318,56");
    if (opening.startsWith(u'D'))
        g = -g;
    for (const TxSpec& t : txs) {
        const long long a = groszeOf(t.amount);
        if (a >= 0)
            g += t.side == 'C' ? a : -a;
    }
    return QString(QChar(g < 0 ? u'D' : u'C')) + QStringLiteral("230302") + opening.mid(7, 3) +
           QString::number(std::llabs(g) / 100) + u',' +
           QStringLiteral("%1").arg(std::llabs(g) % 100, 2, 10, QChar(u'0'));
}

inline QString ingStatement(const std::vector<TxSpec>& txs,
                            const QString& opening = "C230228PLN5000,00",
                            const QString& owner = IngOwner, const QString& number = "ST230301") {
    QStringList l;
    l << ":20:" + number << ":25:/" + owner << ":28C:45/1"
      << ":60F:" + opening;
    int n = 0;
    for (const TxSpec& t : txs) {
        ++n;
        l << QStringLiteral(":61:%1%2%3N%4NTRFNONREF//ING%5")
                 .arg(t.date, t.date.mid(2), QString(QChar(t.side)), t.amount)
                 .arg(n, 4, 10, QChar(u'0'));
        QString f86 =
            QStringLiteral("152") + subfields(20, 25, t.title) + subfields(32, 33, t.name, 50);
        if (!t.account.isEmpty())
            f86 += QStringLiteral("~38") + t.account;
        l << ":86:" + f86;
    }
    l << ":62F:" + closingBalance(opening, txs);
    return l.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

inline void writeFile(const QString& path, const QString& text) {
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(text.toUtf8());
}
