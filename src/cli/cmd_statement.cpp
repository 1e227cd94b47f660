#include "Commands.h"

#include "Banki.h"
#include "Kodowania.h"
#include "WczytajWyciag.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <optional>

namespace cli {

namespace {

std::optional<TBank> bankZNazwy(const QString& nazwa) {
    if (nazwa.isEmpty())
        return std::nullopt;
    const struct {
        const char* nazwa;
        TBank bank;
    } banki[] = {{"ing", bk_ING},           {"bzwbk", bk_BZWBK}, {"alior", bk_Alior_Bank},
                 {"pekao", bk_Pekao},       {"mbank", bk_mBank}, {"millennium", bk_Millennium},
                 {"plusbank", bk_PLUS_Bank}};
    for (const auto& b : banki)
        if (nazwa.toLower() == QLatin1String(b.nazwa))
            return b.bank;
    throw UsageError("unknown bank: " + nazwa.toStdString());
}

QJsonObject transakcjaJson(const IWyciag& w, int i) {
    return QJsonObject{
        {QStringLiteral("date"), w.GetDataTR(i).toIso()},
        {QStringLiteral("side"), QString(w.GetStronaKS(i))},
        {QStringLiteral("amount"), w.GetKwotaTR(i).toFixed2()},
        {QStringLiteral("account"), w.GetKontoKL(i)},
        {QStringLiteral("accountPrefix"), w.GetKontoKL_KR(i)},
        {QStringLiteral("accountNumber"), w.GetKontoKL_NR(i)},
        {QStringLiteral("name"), w.GetNazwaKL(i)},
        {QStringLiteral("title"), w.GetOpisTR(i)},
        {QStringLiteral("bankName"), NazwaBanku(w.GetKontoKL(i))},
    };
}

QJsonObject wyciagJson(const IWyciag& w) {
    QJsonArray transakcje;
    for (int i = w.MinIndex(); i <= w.MaxIndex(); ++i)
        transakcje.append(transakcjaJson(w, i));
    return QJsonObject{
        {QStringLiteral("bank"), NazwaBankuIII(w.Bank())},
        {QStringLiteral("number"), w.GetNrWyciagu()},
        {QStringLiteral("owner"), w.GetKontoWL()},
        {QStringLiteral("opening"), w.LiniaSaldoPocz()},
        {QStringLiteral("openingBalance"), w.SaldoPocz().toFixed2()},
        {QStringLiteral("transactions"), transakcje},
    };
}

// The file's first statement; a file of more adds "next": the further ones in file order.
void drukujJson(const WynikOtwarcia::Wyciagi& wyciagi) {
    QJsonObject o = wyciagJson(*wyciagi.front());
    if (wyciagi.size() > 1) {
        QJsonArray next;
        for (size_t i = 1; i < wyciagi.size(); ++i)
            next.append(wyciagJson(*wyciagi[i]));
        o.insert(QStringLiteral("next"), next);
    }
    out(QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Indented)).trimmed());
}

// Line breaks and TABs inside a value would break the table's rows and columns.
QString komorka(const QString& s) {
    QString r = s;
    r.replace(u'\r', u' ').replace(u'\n', u' ').replace(u'\t', u' ');
    return r;
}

void drukujTabele(const IWyciag& w) {
    out(QString::fromUtf8("Bank: ") + NazwaBankuIII(w.Bank()));
    out(QString::fromUtf8("Numer wyciągu: ") + komorka(w.GetNrWyciagu()));
    out(QString::fromUtf8("Rachunek właściciela: ") + w.GetKontoWL());
    out(QString::fromUtf8("Saldo początkowe: ") + w.LiniaSaldoPocz() + QStringLiteral(" (") +
        w.SaldoPocz().toFixed2() + u')');
    out(QString::fromUtf8("Transakcje: ") + QString::number(w.MaxIndex() - w.MinIndex() + 1));
    out(QString::fromUtf8("Data\tStrona\tKwota\tRachunek\tPrefiks\tNumer\tNazwa\tTytuł\tBank"));
    for (int i = w.MinIndex(); i <= w.MaxIndex(); ++i) {
        // The bank name as the import list shows it: its first 100 characters.
        const QString bank = NazwaBanku(w.GetKontoKL(i)).left(100).trimmed();
        out(QStringList{w.GetDataTR(i).toIso(), QString(w.GetStronaKS(i)),
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
    const TKodowanie kodowanie =
        kodowanieZNazwy(args.option(QStringLiteral("encoding"), QStringLiteral("utf-8")));
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
        drukujJson(wynik.wyciagi());
    } else {
        bool pierwszy = true;
        for (const auto& w : wynik.wyciagi()) {
            if (!pierwszy)
                out(QString());
            pierwszy = false;
            drukujTabele(*w);
        }
    }
    return ExitOk;
}

} // namespace cli
