#include "komun.h"

#include <QApplication>
#include <QMessageBox>

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
    }
    QMessageBox box(icon, caption(kind), displayText(text), buttons, QApplication::activeWindow());
    box.setDefaultButton(defaultButton);
    box.setEscapeButton(buttons.testFlag(QMessageBox::No) ? QMessageBox::No : QMessageBox::Ok);
    return box.exec() == QMessageBox::Yes;
}

Presenter& presenter() {
    static Presenter p = showBox;
    return p;
}

} // namespace

QString displayText(const QString& text) {
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(u'\r', u'\n');
    return t;
}

QString caption(Kind kind) {
    switch (kind) {
    case Kind::Uwaga:
        return QStringLiteral("Uwaga");
    case Kind::Info:
        return QStringLiteral("Informacja");
    case Kind::Blad:
        return QStringLiteral("Błąd");
    default:
        return QStringLiteral("Potwierdzenie");
    }
}

Recorder::Recorder() : previous_(presenter()) {
    presenter() = [this](Kind k, const QString& t) { return present(k, t); };
}

Recorder::~Recorder() {
    presenter() = previous_;
}

bool Recorder::present(Kind kind, const QString& text) {
    messages_.push_back({kind, text});
    if (kind == Kind::Uwaga || kind == Kind::Info || kind == Kind::Blad)
        return false;
    if (answers_.empty())
        return false;
    const bool yes = answers_.front();
    answers_.pop_front();
    return yes;
}

QStringList Recorder::texts() const {
    QStringList t;
    for (const Message& m : messages_)
        t << m.text;
    return t;
}

} // namespace komun

void Uwaga(const QString& text) {
    komun::presenter()(komun::Kind::Uwaga, text);
}
void Info(const QString& text) {
    komun::presenter()(komun::Kind::Info, text);
}
void Blad(const QString& text) {
    komun::presenter()(komun::Kind::Blad, text);
}
bool Zgoda(const QString& text) {
    return komun::presenter()(komun::Kind::Zgoda, text);
}
bool ZgodaDefNo(const QString& text) {
    return komun::presenter()(komun::Kind::ZgodaDefNo, text);
}
bool ZgodaOst(const QString& text) {
    return komun::presenter()(komun::Kind::ZgodaOst, text);
}
