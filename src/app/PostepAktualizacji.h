#pragma once

#include <QElapsedTimer>
#include <QString>

#include <memory>

class QProgressDialog;

// The window that shows how far a database upgrade is while the user waits at start-up: it
// appears with the first report and goes when this object does. Pending window events run a
// few times a second so the window repaints; there is nothing to cancel (a stopped step rolls
// back on its own when the program is ended).
class PostepAktualizacji {
public:
    PostepAktualizacji();
    ~PostepAktualizacji();
    PostepAktualizacji(const PostepAktualizacji&) = delete;
    PostepAktualizacji& operator=(const PostepAktualizacji&) = delete;

    void pokaz(const QString& co, int zrobione, int razem);

private:
    std::unique_ptr<QProgressDialog> okno_;
    QElapsedTimer zegar_; // since the window last repainted
};
