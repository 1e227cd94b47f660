#pragma once

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>

// The program's message boxes: every message to the user goes through these.
// "\r" in a text is a line break.
void Uwaga(const QString& text);
void Info(const QString& text);
void Blad(const QString& text);
bool Zgoda(const QString& text);      // Yes is the default
bool ZgodaDefNo(const QString& text); // No is the default
bool ZgodaOst(const QString& text);   // a warning; No is the default
// Something the user may try again: "Ponów" (true, the default) or "Anuluj".
bool Ponow(const QString& text);

namespace komun {

enum class Kind { Uwaga, Info, Blad, Zgoda, ZgodaDefNo, ZgodaOst, Ponow };

struct Message {
    Kind kind;
    QString text;
};

// Shows one message and returns true for Yes. The program installs message boxes, tests a
// recorder; until one is installed, messages go to standard error and questions get No.
using Presenter = std::function<bool(Kind, const QString&)>;
void setPresenter(Presenter p);

// While alive, messages are recorded instead of shown; questions take the scripted
// answers in order (No when the script has run out).
class Recorder {
public:
    Recorder();
    ~Recorder();
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    void answer(bool yes) { answers_.push_back(yes); }
    const std::vector<Message>& messages() const { return messages_; }
    QStringList texts() const;
    void clear() { messages_.clear(); }

private:
    bool present(Kind kind, const QString& text);
    std::vector<Message> messages_;
    std::deque<bool> answers_;
    Presenter previous_;
};

// The message text with "\r" turned into real line breaks for display.
QString displayText(const QString& text);
QString caption(Kind kind);

} // namespace komun
