#pragma once

#include <QString>

#include <initializer_list>

class QDialog;
class QLayout;
class QHBoxLayout;
class QPushButton;
class QWidget;

// The button row of an edit dialog: the save button (the default one) and "&Anuluj", which
// closes the dialog cancelling. The caller connects the save button to its handler, which
// validates and closes the dialog itself.
struct DialogButtons {
    QPushButton* ok = nullptr;
    QPushButton* anuluj = nullptr;
    QHBoxLayout* row = nullptr; // right-aligned; add it to the dialog's layout
};

DialogButtons makeDialogButtons(QDialog& dialog, const QString& okCaption = QStringLiteral("&OK"));

// Lays a dialog out as its fields above the button row, and returns the buttons.
DialogButtons layOutFormDialog(QDialog& dialog, QLayout* fields,
                               const QString& okCaption = QStringLiteral("&OK"));

// The bottom row every window lays out alike: what informs (a progress bar, a check box) at
// the left, the window's actions at the right with closing last, so the action a window is
// for is always in the same corner.
QHBoxLayout* DolnyRzad(std::initializer_list<QWidget*> zLewej,
                       std::initializer_list<QWidget*> zPrawej);
