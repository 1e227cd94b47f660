#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;
class TWybierzKodKRFrm;

// A two-letter country code box, upper case, with the button that opens the picker on the
// code in the box; on OK the box takes the chosen code.
class TPoleKoduKraju : public QWidget {
    Q_OBJECT
public:
    TPoleKoduKraju(TWybierzKodKRFrm& picker, QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& kod);

    QLineEdit* KodEd = nullptr;
    QToolButton* WybierzBtn = nullptr;

public slots:
    void WybierzBtnClick();

private:
    TWybierzKodKRFrm& picker_;
};
