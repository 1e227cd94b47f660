#pragma once

#include <QApplication>

// The application object: an error that no window caught is shown with the error box and
// the action in progress is abandoned, as a user expects instead of a crash.
class TApplication : public QApplication {
    Q_OBJECT
public:
    TApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
    // Qt's own texts (Yes/No, the file dialog) in Polish.
    void loadPolishTranslation();
};
