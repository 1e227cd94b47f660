#pragma once

#include <QDate>
#include <QDateEdit>

// The date box of every window: dd.mm.yyyy (or the given pattern, "MM.yyyy" for a month),
// a calendar to pick from, and Tab going on to the next control rather than through the
// day, month and year (those are typed, or changed with the arrows).
class PoleDaty : public QDateEdit {
    Q_OBJECT
public:
    explicit PoleDaty(QWidget* parent = nullptr, const QString& wzor = {});
    PoleDaty(const QDate& data, QWidget* parent, const QString& wzor = {});

protected:
    bool focusNextPrevChild(bool next) override;
};
