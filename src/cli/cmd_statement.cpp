#include "Commands.h"

#include "Banki.h"
#include "Kodowania.h"
#include "WczytajWyciag.h"

#include "FTypy.h"
#include "JsonWyciagu.h"

#include <cstdio>
#include <optional>

namespace cli {

namespace {

// Line breaks and TABs inside a value would break the table's rows and columns.
QString komorka(const QString& s) {
    QString r = s;
    r.replace(u'\r', u' ').replace(u'\n', u' ').replace(u'\t', u' ');
    return r;
}

void drukujTabele(const IWyciag& w, const QString& kodowanie) {
    out(QString::fromUtf8("Bank: ") + NazwaBankuIII(w.Bank()));
    out(QString::fromUtf8("Układ pola :86:: ") + w.NazwaUkladu());
    out(QString::fromUtf8("Kodowanie: ") + kodowanie);
    out(QString::fromUtf8("Waluta: ") + w.Waluta());
    out(QString::fromUtf8("Numer wyciągu: ") + komorka(w.GetNrWyciagu()));
    out(QString::fromUtf8("Rachunek właściciela: ") + w.GetKontoWL());
    out(QString::fromUtf8("Saldo początkowe: ") + w.LiniaSaldoPocz() + QStringLiteral(" (") +
        w.SaldoPocz().toFixed2() + u')');
    out(QString::fromUtf8("Transakcje: ") + QString::number(w.MaxIndex() - w.MinIndex() + 1));
    out(QString::fromUtf8("Data\tZnak\tKwota\tRachunek\tPrefiks\tNumer\tNazwa\tTytuł\tBank"));
    for (int i = w.MinIndex(); i <= w.MaxIndex(); ++i) {
        // The bank name as the import list shows it: its first 100 characters.
        const QString bank = NazwaBanku(w.GetKontoKL(i)).left(100).trimmed();
        out(QStringList{w.GetDataTR(i).toIso(), NazwaZnaku(w.GetZnakTR(i)),
                        w.GetKwotaTR(i).toFixed2(), komorka(w.GetKontoKL(i)), w.GetKontoKL_KR(i),
                        komorka(w.GetKontoKL_NR(i)), komorka(w.GetNazwaKL(i)),
                        komorka(w.GetOpisTR(i)), bank}
                .join(u'\t'));
    }
}

} // namespace

// Reads a statement file as the payment-import window does and prints what the model reads.
// Without --bank the window's checks apply; with it the named variant reads the file.
int statement(Args args) {
    const bool json = args.flag(QStringLiteral("json"));
    const TKodowanie kodowanie = kodowanieZNazwy(args.option(QStringLiteral("encoding")));
    const std::optional<TBank> bank = bankZNazwy(args.option(QStringLiteral("bank")));
    const QStringList pos = args.positional();
    if (pos.size() != 1)
        throw UsageError("expected one file name");
    const WynikOtwarcia wynik = OtworzPlikWyciagu(pos[0], kodowanie, bank);
    if (!wynik.ok())
        throw Refused(wynik.komunikat());
    if (wynik.nieUtf8())
        err(PodpowiedzKodowania());
    if (json) {
        const QByteArray b = JsonWyciagow(wynik.wyciagi(), wynik.opisKodowania());
        std::fwrite(b.constData(), 1, static_cast<size_t>(b.size()), stdout);
    } else {
        bool pierwszy = true;
        for (const auto& w : wynik.wyciagi()) {
            if (!pierwszy)
                out(QString());
            pierwszy = false;
            drukujTabele(*w, wynik.opisKodowania());
        }
    }
    return ExitOk;
}

} // namespace cli
