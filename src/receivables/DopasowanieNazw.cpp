#include "DopasowanieNazw.h"

#include "DopasowanieTytulu.h"
#include "Statement.h"

#include <QSet>
#include <QStringList>

namespace rozrachunki {
namespace {

// Legal forms as their letters run together, whatever the dots and blanks between them.
const QSet<QString>& formyPrawne() {
    static const QSet<QString> formy = {
        QStringLiteral("SPZOO"),
        QStringLiteral("SPZOGRODP"),
        QStringLiteral("SPOLKAZOGRANICZONAODPOWIEDZIALNOSCIA"),
        QStringLiteral("SA"),
        QStringLiteral("SPOLKAAKCYJNA"),
        QStringLiteral("PSA"),
        QStringLiteral("PROSTASPOLKAAKCYJNA"),
        QStringLiteral("SPJ"),
        QStringLiteral("SPJAWNA"),
        QStringLiteral("SPOLKAJAWNA"),
        QStringLiteral("SPK"),
        QStringLiteral("SPKOMANDYTOWA"),
        QStringLiteral("SPOLKAKOMANDYTOWA"),
        QStringLiteral("SKA"),
        QStringLiteral("SPKA"),
        QStringLiteral("SPOLKAKOMANDYTOWOAKCYJNA"),
        QStringLiteral("SPP"),
        QStringLiteral("SPOLKAPARTNERSKA"),
        QStringLiteral("SC"),
        QStringLiteral("SPC"),
        QStringLiteral("SPOLKACYWILNA"),
    };
    return formy;
}

constexpr int MaxSlowFormy = 5; // "SPÓŁKA Z OGRANICZONĄ ODPOWIEDZIALNOŚCIĄ" is four

} // namespace

QString KluczNazwy(const QString& nazwa) {
    // Words: the runs of letters and digits between anything else.
    QStringList slowa;
    QString slowo;
    for (const QChar c : nazwa) {
        if (c.isLetterOrNumber()) {
            slowo += c;
        } else if (!slowo.isEmpty()) {
            slowa << KluczNumeru(slowo);
            slowo.clear();
        }
    }
    if (!slowo.isEmpty())
        slowa << KluczNumeru(slowo);

    QStringList zostaja;
    const auto& formy = formyPrawne();
    for (qsizetype i = 0; i < slowa.size();) {
        // The longest run of words from here that spells a legal form is left out.
        qsizetype koniec = -1;
        QString razem;
        for (qsizetype j = i; j < slowa.size() && j - i < MaxSlowFormy; ++j) {
            razem += slowa[j];
            if (formy.contains(razem))
                koniec = j;
        }
        if (koniec >= 0) {
            i = koniec + 1;
            continue;
        }
        zostaja << slowa[i];
        ++i;
    }
    return zostaja.join(u' ');
}

IndeksNazw::IndeksNazw(db::Transaction& tr) {
    db::Statement s(tr, QStringLiteral("SELECT KLIENTID, NAZWA FROM KLIENT"));
    db::Cursor c = s.open();
    while (c.next())
        dodaj(c[0].toInt(), c[1].toString());
}

void IndeksNazw::dodaj(int klientId, const QString& nazwa) {
    nazwy_.insert(klientId, nazwa);
    const QString k = KluczNazwy(nazwa);
    if (!k.isEmpty())
        wgKlucza_[k].append(klientId);
}

int IndeksNazw::jedyny(const QString& nazwa) const {
    const QString k = KluczNazwy(nazwa);
    if (k.isEmpty())
        return 0;
    const auto it = wgKlucza_.constFind(k);
    return it != wgKlucza_.constEnd() && it->size() == 1 ? it->front() : 0;
}

} // namespace rozrachunki
