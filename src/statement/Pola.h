#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

// The tags of a statement the reader tells apart; every other tag (":NS:", ":34F:", ":13D:",
// ":90D:", ...) is Inny: it ends the field before it and is passed over.
enum class TagMT : std::uint8_t {
    T20,
    T21,
    T25,
    T28,
    T28C,
    T60F,
    T60M,
    T61,
    T86,
    T62F,
    T62M,
    T64,
    T65,
    Inny,
};

// One field of a statement: its tag and where its value lies in the text, [start, koniec).
// A value wrapped over several lines keeps its line breaks; nothing is copied.
struct PoleMT {
    TagMT tag;
    qsizetype poz;    // the tag's first character
    qsizetype start;  // the value's first character
    qsizetype koniec; // one past the value's last character
    QStringView w(const QString& t) const { return QStringView(t).mid(start, koniec - start); }
};

// The fields of a statement text in text order, in one pass. A tag is a tag only at the
// start of a line; text that looks like one inside a line is text. Envelope lines ("{1:...",
// "-}") and the SOH/ETX bytes around each account's statement end the field before them.
// A text without any line break (a form some programs write) is read the old way: the
// known tags are found wherever they stand.
std::vector<PoleMT> CzytajPola(const QString& t);

// The tag as written, for messages: ":61:", ":62F:".
QString NazwaTagu(TagMT tag);
