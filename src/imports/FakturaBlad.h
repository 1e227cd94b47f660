#pragma once

#include <QString>
#include <QStringView>

struct JpkElement;

// Reads the texts of one invoice and refuses the file (JpkRefused) with a message naming the
// invoice and the file when one of them cannot be used.
class FakturaBlad {
public:
    FakturaBlad(const JpkElement& element, const QString& plik) : element_(element), plik_(plik) {}

    // The text of a direct child of the element; empty when missing.
    QString tekst(QStringView name) const { return tekst(element_, name); }
    QString tekst(const JpkElement& parent, QStringView name) const;

    [[noreturn]] void data(const QString& text) const;
    [[noreturn]] void kwota(const QString& text) const;
    [[noreturn]] void brak(const QString& what) const;
    // A date or amount of the named element (a path such as "Platnosc/DataZaplaty") that
    // cannot be read.
    [[noreturn]] void dataW(const QString& element, const QString& text) const;
    [[noreturn]] void kwotaW(const QString& element, const QString& text) const;

    QString nrFakt; // once read; names the invoice in the messages

private:
    QString faktura() const;
    [[noreturn]] void odmowa(const QString& before, const QString& after) const;

    const JpkElement& element_;
    QString plik_;
};
