#include "JsonWyciagu.h"

#include "Banki.h"
#include "FTypy.h"
#include "procBankowe.h"

#include <QHash>

namespace cli {

namespace {
constexpr char Hex[] = "0123456789abcdef";

// A JSON string as Qt writes it: quotes, backslashes and control characters escaped, the
// rest as UTF-8, an unpaired surrogate as \uXXXX. Written through a pointer into room made
// beforehand: at most six bytes per character.
void napis(QByteArray& o, QStringView s) {
    const qsizetype n = s.size();
    const qsizetype poczatek = o.size();
    o.resize(poczatek + 6 * n + 2);
    char* p = o.data() + poczatek;
    const auto hex4 = [&p](char16_t u) {
        *p++ = '\\';
        *p++ = 'u';
        *p++ = Hex[(u >> 12) & 0xF];
        *p++ = Hex[(u >> 8) & 0xF];
        *p++ = Hex[(u >> 4) & 0xF];
        *p++ = Hex[u & 0xF];
    };
    *p++ = '"';
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = s[i].unicode();
        if (u < 0x80) {
            if (u >= 0x20 && u != u'"' && u != u'\\') {
                *p++ = static_cast<char>(u);
                continue;
            }
            switch (u) {
            case u'"':
                *p++ = '\\';
                *p++ = '"';
                break;
            case u'\\':
                *p++ = '\\';
                *p++ = '\\';
                break;
            case 0x8:
                *p++ = '\\';
                *p++ = 'b';
                break;
            case 0xC:
                *p++ = '\\';
                *p++ = 'f';
                break;
            case 0xA:
                *p++ = '\\';
                *p++ = 'n';
                break;
            case 0xD:
                *p++ = '\\';
                *p++ = 'r';
                break;
            case 0x9:
                *p++ = '\\';
                *p++ = 't';
                break;
            default:
                hex4(u);
            }
        } else if (u < 0x800) {
            *p++ = static_cast<char>(0xC0 | (u >> 6));
            *p++ = static_cast<char>(0x80 | (u & 0x3F));
        } else if (QChar::isHighSurrogate(u) && i + 1 < n && s[i + 1].isLowSurrogate()) {
            const char32_t c = QChar::surrogateToUcs4(u, s[i + 1].unicode());
            ++i;
            *p++ = static_cast<char>(0xF0 | (c >> 18));
            *p++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            *p++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            *p++ = static_cast<char>(0x80 | (c & 0x3F));
        } else if (QChar::isSurrogate(u)) {
            hex4(u);
        } else {
            *p++ = static_cast<char>(0xE0 | (u >> 12));
            *p++ = static_cast<char>(0x80 | ((u >> 6) & 0x3F));
            *p++ = static_cast<char>(0x80 | (u & 0x3F));
        }
    }
    *p++ = '"';
    o.resize(p - o.constData());
}

// Members written in name order, each on its own line at the given depth.
class Obiekt {
public:
    Obiekt(QByteArray& o, int poziom) : o_(o), poziom_(poziom) { o_ += "{\n"; }
    void pole(const char* nazwa, QStringView wartosc) {
        klucz(nazwa);
        napis(o_, wartosc);
    }
    void klucz(const char* nazwa) {
        if (pierwsze_)
            pierwsze_ = false;
        else
            o_ += ",\n";
        o_.append(4 * (poziom_ + 1), ' ');
        o_ += '"';
        o_ += nazwa;
        o_ += "\": ";
    }
    void koniec() {
        if (!pierwsze_)
            o_ += '\n';
        o_.append(4 * poziom_, ' ');
        o_ += '}';
    }

private:
    QByteArray& o_;
    int poziom_;
    bool pierwsze_ = true;
};

// Bank names by the account's bank code: a statement names the same few banks again and again.
class NazwyBankow {
public:
    const QString& nazwa(const TKonto& konto) {
        if (!konto.KontoPL())
            return pusta_;
        const int kod = konto.WyroznikIV();
        auto it = nazwy_.find(kod);
        if (it == nazwy_.end())
            it = nazwy_.insert(kod, NazwaBanku(konto.Numer()));
        return *it;
    }

private:
    QHash<int, QString> nazwy_;
    QString pusta_;
};

void transakcja(QByteArray& o, const IWyciag& w, int i, int poziom, NazwyBankow& banki) {
    Obiekt t(o, poziom);
    TKonto konto;
    konto.SetNumer(w.GetKontoKL(i));
    t.pole("account", w.GetKontoKL(i));
    t.pole("accountNumber", konto.NRB());
    t.pole("accountPrefix", konto.KodKR());
    t.pole("amount", w.GetKwotaTR(i).toFixed2());
    t.pole("bankName", banki.nazwa(konto));
    t.pole("date", w.GetDataTR(i).toIso());
    t.pole("mark", NazwaZnaku(w.GetZnakTR(i)));
    t.pole("name", w.GetNazwaKL(i));
    t.pole("side", QString(w.GetStronaKS(i)));
    t.pole("title", w.GetOpisTR(i));
    t.koniec();
}

void wyciag(QByteArray& o, const IWyciag& w, const QString& kodowanie, int poziom,
            const std::vector<std::shared_ptr<IWyciag>>* dalsze, NazwyBankow& banki) {
    Obiekt s(o, poziom);
    s.pole("bank", NazwaBankuIII(w.Bank()));
    s.pole("currency", w.Waluta());
    s.pole("encoding", kodowanie);
    s.pole("layout", w.NazwaUkladu());
    if (dalsze && dalsze->size() > 1) {
        s.klucz("next");
        o += "[\n";
        for (size_t k = 1; k < dalsze->size(); ++k) {
            o.append(4 * (poziom + 2), ' ');
            wyciag(o, *(*dalsze)[k], kodowanie, poziom + 2, nullptr, banki);
            o += k + 1 < dalsze->size() ? ",\n" : "\n";
        }
        o.append(4 * (poziom + 1), ' ');
        o += ']';
    }
    s.pole("number", w.GetNrWyciagu());
    s.pole("opening", w.LiniaSaldoPocz());
    s.pole("openingBalance", w.SaldoPocz().toFixed2());
    s.pole("owner", w.GetKontoWL());
    s.klucz("transactions");
    o += "[\n";
    for (int i = w.MinIndex(); i <= w.MaxIndex(); ++i) {
        o.append(4 * (poziom + 2), ' ');
        transakcja(o, w, i, poziom + 2, banki);
        o += i < w.MaxIndex() ? ",\n" : "\n";
    }
    o.append(4 * (poziom + 1), ' ');
    o += ']';
    s.koniec();
}
} // namespace

QByteArray JsonWyciagow(const std::vector<std::shared_ptr<IWyciag>>& wyciagi,
                        const QString& kodowanie) {
    QByteArray o;
    if (wyciagi.empty())
        return o;
    o.reserve(512 + static_cast<qsizetype>(wyciagi.size()) * 64 +
              (wyciagi.front()->MaxIndex() + 1) * 600);
    NazwyBankow banki;
    wyciag(o, *wyciagi.front(), kodowanie, 0, &wyciagi, banki);
    o += '\n';
    return o;
}

} // namespace cli
