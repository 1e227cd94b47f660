#include "PoleDaty.h"

#include "Wyglad.h"

PoleDaty::PoleDaty(QWidget* parent, const QString& wzor) : PoleDaty(QDate(), parent, wzor) {}

PoleDaty::PoleDaty(const QDate& data, QWidget* parent, const QString& wzor) : QDateEdit(parent) {
    setDisplayFormat(wzor.isEmpty() ? QLatin1String(WzorDaty) : wzor);
    setCalendarPopup(true);
    if (data.isValid())
        setDate(data);
}

bool PoleDaty::focusNextPrevChild(bool next) {
    return QWidget::focusNextPrevChild(next);
}
