#pragma once

#include <QDialog>

// "O programie...": product name, version date and the maker.
class TAboutFrm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutFrm(QWidget* parent = nullptr);
    void Execute() { exec(); }
    static QString versionText(); // "Brevant \r" + "Wersja z dnia " + the version date
};
