#pragma once

#include "Date.h"

#include <QString>
#include <QWidget>

class Dataset;
class QCheckBox;
class QDateEdit;

// "Okres, od dnia ... do dnia ...": shows only the rows of a list dated within the period.
// Unticked, every row shows. The dates are typed or picked from a calendar, as dd.mm.yyyy.
class FiltrOkresu : public QWidget {
    Q_OBJECT
public:
    explicit FiltrOkresu(QWidget* parent = nullptr);

    // Filters the dataset by its date field from now on; odlacz gives it back unfiltered.
    void podlacz(Dataset* lista, const QString& poleDaty);
    void odlacz();
    // Whether a row dated so shows.
    bool pasuje(const Date& data) const;
    // Sets the period and ticks the box (tests and a window's own presets).
    void ustaw(const QDate& od, const QDate& do_);

    QCheckBox* Wlaczony = nullptr;
    QDateEdit* OdEd = nullptr;
    QDateEdit* DoEd = nullptr;

signals:
    void zmieniony();

private:
    void zastosuj();
    Dataset* lista_ = nullptr;
    QString pole_;
};
