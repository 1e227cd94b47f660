#include "Formaty.h"

#include "Wyglad.h"

namespace wydruk {

QString formatNPrzecinek(Money kwota, const QLocale& locale) {
    QString s = FormatKwoty(kwota, locale);
    // The decimal separator is always the third character from the end.
    s[s.size() - 3] = u',';
    return s;
}

} // namespace wydruk
