#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// Invoice numbers as transfer titles write them: "FV/1/03/2024", "FV 1/03/2024",
// "fv1-03-2024" are one number. Compared upper-cased, with Polish letters folded to their
// Latin letters and everything but letters and digits left out.
namespace rozrachunki {

// The letters and digits of a text, upper-cased, Polish letters folded ("Ś" → "S").
QString KluczNumeru(const QString& numer);

// A key shorter than this is never looked for in a title: "1" or "12" would be found in
// every date and amount.
inline constexpr int MinDlugoscKlucza = 3;

// A transfer title laid out for finding invoice numbers in it. A number is found only where
// it begins and ends at a break of the title: a blank or a separator, the title's ends, or a
// change between letters and digits. So "1/03/2024" is not found in "11/03/2024", while
// "FV/1/03/2024" is found in "zapłata FV 1/03/2024r.".
class TytulPrzelewu {
public:
    explicit TytulPrzelewu(const QString& tytul);

    // The title names the invoice whose number has this key.
    bool zawiera(const QString& klucz) const;
    // Every key the title could name: the stretches between two breaks that hold a digit,
    // are at least MinDlugoscKlucza long and span at most a few pieces. What a lookup of
    // invoices by number needs.
    QStringList kandydaci() const;

private:
    QString zwarty_;             // letters and digits only, upper-cased and folded
    std::vector<bool> poczatek_; // a break before this position
    std::vector<bool> koniec_;   // a break after this position
};

} // namespace rozrachunki
