#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The encodings a statement file may come in; kdWykryj leaves the choice to the reader.
enum class TKodowanie { kdUTF_8, kdWin_1250, kdISO_8859_2, kdCP_852, kdWykryj };

// The caption of an encoding's button: "UTF-8", "Windows-1250", "ISO-8859-2", "CP-852",
// "Wykryj".
QString NazwaKodowania(TKodowanie kodowanie);

// The encoding of a file nobody named: a byte-order mark or valid UTF-8 is UTF-8; otherwise
// the one of Windows-1250, ISO-8859-2 and CP-852 whose reading gives Polish letters and no
// stray symbols (of two that read alike, the earlier). Nothing when none reads it cleanly.
std::optional<TKodowanie> WykryjKodowanie(const QByteArray& bajty);
// The refusal of a file that no encoding reads cleanly.
QString BrakKodowania();

// Re-reads text that was decoded as Windows-1250 in another code page: encode into
// Windows-1250 bytes ("?" for what it cannot hold) and decode those bytes again.
QString CP_852ToWin(const QString& s);
QString ISO_8859_2ToWin(const QString& s);

// A statement file's text as first read: decoded by its byte-order mark when it has one,
// otherwise its bytes taken as 8-bit (Windows-1250) text. Its ASCII tags are already right,
// so the structure check can look at it whatever encoding the user chose.
struct PierwszyOdczyt {
    QString tekst;
    bool zeZnacznikiem = false; // the file began with a byte-order mark
};
PierwszyOdczyt CzytajBajty(const QByteArray& bajty);

// The file's text in the chosen encoding. A byte-order mark decides the first decoding and
// the choice is applied on top of it through Windows-1250; without a mark the bytes are
// decoded with the chosen code page. Malformed UTF-8 becomes U+FFFD.
QString DekodujWyciag(const QByteArray& bajty, TKodowanie kodowanie);
// The same, starting from a first reading already made of these bytes.
QString DekodujWyciag(const QByteArray& bajty, const PierwszyOdczyt& odczyt, TKodowanie kodowanie);
