// The program ends on a termination request from the system, whatever dialog is open.
#include "DatabaseCreator.h"
#include "StatementBuilder.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

TEST(Shutdown, ProgramEndsOnSigtermAtTheLogin) {
    QTemporaryDir dir;
    const QString exe = dir.filePath("brevant");
    ASSERT_TRUE(QFile::copy(QStringLiteral(BREVANT_APP_PATH), exe));
    createBrevantDatabase(dir.filePath("baza.fdb"), "x");
    writeFile(dir.filePath("Brevant.ini"), "[Baza]\nPlik=" + dir.filePath("baza.fdb") + "\n");

    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    p.setProcessEnvironment(env);
    p.start(exe, {});
    ASSERT_TRUE(p.waitForStarted());
    QThread::msleep(5000); // connected, the login dialog open and waiting
    ASSERT_EQ(p.state(), QProcess::Running) << p.readAllStandardError().toStdString();
    QElapsedTimer t;
    t.start();
    p.terminate(); // SIGTERM
    ASSERT_TRUE(p.waitForFinished(4000)) << "still running 4 s after SIGTERM";
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 0); // the orderly way, not the last-resort end after 2 s
    EXPECT_LT(t.elapsed(), 2000);
}
