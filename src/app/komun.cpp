#include "komun.h"

#include <QTextStream>

namespace komun {
namespace {

// Without an installed presenter (the command line, a scheduled run) a message goes to
// standard error and a question is answered No: nothing destructive happens unasked.
bool writeToStderr(Kind kind, const QString& text) {
    QTextStream(stderr) << caption(kind) << ": " << displayText(text) << Qt::endl;
    return false;
}

Presenter& presenter() {
    static Presenter p = writeToStderr;
    return p;
}

} // namespace

void setPresenter(Presenter p) {
    presenter() = std::move(p);
}

QString displayText(const QString& text) {
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(u'\r', u'\n');
    return t;
}

QString caption(Kind kind) {
    switch (kind) {
    case Kind::Uwaga:
    case Kind::Ponow:
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
bool Ponow(const QString& text) {
    return komun::presenter()(komun::Kind::Ponow, text);
}
