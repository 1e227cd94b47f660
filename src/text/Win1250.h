#pragma once

#include <QByteArray>
#include <QString>

#include <string_view>

namespace win1250 {

// The connection's character set. A table lookup: cheap enough for every field of every row.
QString decode(std::string_view bytes);
QByteArray encode(const QString& text); // characters without a Windows-1250 form become '?'
// The text as the database keeps it: the same text when every character has a form.
QString stored(const QString& text);

} // namespace win1250
