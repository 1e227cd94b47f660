#pragma once

#include "Interfejsy.h"

#include <QByteArray>

#include <memory>
#include <vector>

namespace cli {
// The statements of a file as the JSON of `statement --json`: the first statement's object,
// with "next" holding the further ones. Written straight into UTF-8, laid out as Qt's
// indented JSON lays it out (members in name order, four spaces per level), since building a
// JSON document of a big statement costs more than reading it.
QByteArray JsonWyciagow(const std::vector<std::shared_ptr<IWyciag>>& wyciagi,
                        const QString& kodowanie);
} // namespace cli
