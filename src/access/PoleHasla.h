#pragma once

#include <QLineEdit>

// A password box: every typed character shows as "*", whatever the style's own mask is.
class TPoleHasla : public QLineEdit {
    Q_OBJECT
public:
    explicit TPoleHasla(QWidget* parent = nullptr);
};
