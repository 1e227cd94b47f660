#include "komunBox.h"

#include "komun.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace komun {
namespace {

bool showBox(Kind kind, const QString& text) {
    QMessageBox::Icon icon = QMessageBox::Warning;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton defaultButton = QMessageBox::Ok;
    switch (kind) {
    case Kind::Uwaga:
        break;
    case Kind::Info:
        icon = QMessageBox::Information;
        break;
    case Kind::Blad:
        icon = QMessageBox::Critical;
        break;
    case Kind::Zgoda:
        icon = QMessageBox::Question;
        buttons = QMessageBox::Yes | QMessageBox::No;
        defaultButton = QMessageBox::Yes;
        break;
    case Kind::ZgodaDefNo:
        icon = QMessageBox::Question;
        buttons = QMessageBox::Yes | QMessageBox::No;
        defaultButton = QMessageBox::No;
        break;
    case Kind::ZgodaOst:
        icon = QMessageBox::Warning;
        buttons = QMessageBox::Yes | QMessageBox::No;
        defaultButton = QMessageBox::No;
        break;
    case Kind::Ponow:
        buttons = QMessageBox::Retry | QMessageBox::Cancel;
        defaultButton = QMessageBox::Retry;
        break;
    }
    // A question asked in the middle of long work (another workstation is booking: "Ponów"?)
    // shows the normal pointer over the box, not the wait cursor of the work.
    struct Wskaznik {
        bool czeka = QApplication::overrideCursor() != nullptr;
        Wskaznik() {
            if (czeka)
                QApplication::setOverrideCursor(Qt::ArrowCursor);
        }
        ~Wskaznik() {
            if (czeka)
                QApplication::restoreOverrideCursor();
        }
    } wskaznik;
    QMessageBox box(icon, caption(kind), displayText(text), buttons, QApplication::activeWindow());
    box.setDefaultButton(defaultButton);
    if (kind == Kind::Ponow) {
        box.button(QMessageBox::Retry)->setText(QStringLiteral("&Ponów"));
        box.button(QMessageBox::Cancel)->setText(QStringLiteral("&Anuluj"));
        box.setEscapeButton(QMessageBox::Cancel);
        return box.exec() == QMessageBox::Retry;
    }
    box.setEscapeButton(buttons.testFlag(QMessageBox::No) ? QMessageBox::No : QMessageBox::Ok);
    return box.exec() == QMessageBox::Yes;
}

} // namespace

void installMessageBoxes() {
    setPresenter(showBox);
}

} // namespace komun
