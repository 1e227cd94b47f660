#include "PoleHasla.h"

TPoleHasla::TPoleHasla(QWidget* parent) : QLineEdit(parent) {
    setEchoMode(QLineEdit::Password);
    setStyleSheet(QStringLiteral("lineedit-password-character: 42;")); // '*'
}
