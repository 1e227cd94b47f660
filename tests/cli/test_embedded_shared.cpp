// The embedded engine gives a database file to one process: a second program is refused at
// once with a message naming the database and what to do, never the engine's raw text.
#include "Attachment.h"
#include "DatabaseCreator.h"
#include "StatementBuilder.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(EmbeddedShared, SecondProgramOnTheFileIsRefusedClearly) {
    QTemporaryDir dir;
    const QString path = dir.filePath("baza.fdb");
    createBrevantDatabase(path, "x");
    const QString file = dir.filePath("wyciag.sta");
    writeFile(file, ingStatement({{'C', "10,00", "PL61109010140000071219812874", "A"}}));

    db::ConnectionParams p;
    p.database = path;
    p.forceEmbedded = true;
    db::Attachment program(p); // the program holds the file

    QProcess cli;
    cli.start(QStringLiteral(BREVANT_CLI_PATH), {"book-statement", file, "--db", path});
    ASSERT_TRUE(cli.waitForFinished(60000));
    const QString err = QString::fromUtf8(cli.readAllStandardError());
    EXPECT_EQ(cli.exitCode(), 1);
    EXPECT_TRUE(err.contains("Baza danych " + path + " jest otwarta przez inny program"))
        << err.toStdString();
    EXPECT_TRUE(err.contains("Kilka stanowisk"));
    EXPECT_FALSE(err.contains("incompatible"));

    program.close(); // once the program has closed it, the same command books
    cli.start(QStringLiteral(BREVANT_CLI_PATH), {"book-statement", file, "--db", path});
    ASSERT_TRUE(cli.waitForFinished(60000));
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
}
