#include "PostepAktualizacji.h"

#include <QCoreApplication>
#include <QProgressDialog>

PostepAktualizacji::PostepAktualizacji() = default;
PostepAktualizacji::~PostepAktualizacji() = default;

void PostepAktualizacji::pokaz(const QString& co, int zrobione, int razem) {
    if (!okno_) {
        okno_ = std::make_unique<QProgressDialog>();
        okno_->setWindowTitle(QStringLiteral("Aktualizacja bazy danych"));
        okno_->setCancelButton(nullptr);
        okno_->setMinimumDuration(0);
        okno_->setMinimumWidth(420);
        okno_->setWindowModality(Qt::ApplicationModal);
    }
    okno_->setLabelText(co);
    okno_->setRange(0, razem); // 0..0: a stage that cannot be counted shows as busy
    okno_->setValue(zrobione);
    okno_->show();
    if (!zegar_.isValid() || zegar_.elapsed() >= 50 || zrobione == razem) {
        QCoreApplication::processEvents();
        zegar_.restart();
    }
}
