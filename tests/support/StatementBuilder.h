#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

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
    l << ":62F:C230302PLN6318,56";
    return l.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

inline void writeFile(const QString& path, const QString& text) {
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(text.toUtf8());
}
