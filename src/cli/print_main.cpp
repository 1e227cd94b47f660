#include "PrintPdf.h"

#include <QGuiApplication>
#include <QLocale>

#include <exception>

// The printing half of `brevant-cli print`: it alone links the graphics libraries the PDF
// layout needs. It never opens a window.
namespace {
// Standard error carries the program's own Polish messages; the platform's notices (a missing
// runtime folder under the offscreen platform, for instance) are not for the user.
void tylkoBledy(QtMsgType typ, const QMessageLogContext&, const QString& tekst) {
    if (typ == QtCriticalMsg || typ == QtFatalMsg)
        cli::err(tekst);
}
} // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(tylkoBledy);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    const char* uzycie = "Użycie: brevant-print receipt WPISID --pdf OUT [--db DATABASE] | "
                         "brevant-print debtors|overpayments --pdf OUT [--db DATABASE] | "
                         "brevant-print ageing [--as-of YYYY-MM-DD] --pdf OUT [--db DATABASE] | "
                         "brevant-print interest KLIENTID --to YYYY-MM-DD --pdf OUT | "
                         "brevant-print reminders --overdue N --pdf DIR|OUT.pdf | "
                         "brevant-print confirmations --as-of YYYY-MM-DD --pdf DIR|OUT.pdf";
    try {
        return cli::printPdf(cli::Args(app.arguments().mid(1)));
    } catch (const cli::Refused& e) {
        cli::err(e.message());
        return cli::ExitRefused;
    } catch (const cli::UsageError& e) {
        cli::err(QString::fromUtf8(e.what()));
        cli::err(QString::fromUtf8(uzycie));
        return cli::ExitError;
    } catch (const std::exception& e) {
        cli::err(QString::fromUtf8(e.what()));
        return cli::ExitError;
    }
}
