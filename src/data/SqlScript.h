#pragma once

#include <QString>
#include <QStringList>

namespace db {
class Attachment;
}

// Splits an SQL script into statements: ";" ends a statement, "SET TERM x ;" changes the
// terminator for blocks with semicolons inside; comments and quoted text are respected.
QStringList splitSqlScript(const QString& script);
// Runs every statement of the script, each committed on its own.
void runSqlScript(db::Attachment& att, const QString& script);
// A script compiled into the program (":/brevant/" + name); empty when there is none.
QString compiledScript(const QString& name);
// The program's schema with the data a new database starts with, compiled in.
QString schemaScript();
