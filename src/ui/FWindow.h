#pragma once

#include <QSettings>
#include <QString>

// The stored placement of a window, per user (the registry on Windows). A negative left
// or top is stored as 0.
class TWindow {
public:
    TWindow() = default;

    const QString& Name() const { return name_; }
    const QString& ApplicationName() const { return applicationName_; }
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    void SetName(const QString& value) { name_ = value; }
    void SetApplicationName(const QString& value) { applicationName_ = value; }
    void SetLeft(int value) { left_ = value < 0 ? 0 : value; }
    void SetTop(int value) { top_ = value < 0 ? 0 : value; }
    void SetWidth(int value) { width_ = value; }
    void SetHeight(int value) { height_ = value; }

    // False when nothing was ever stored for the window; the fields then keep their values.
    bool Read();
    void Write() const;

    // The settings group: Software/Quorvel/<application>/<name>.
    QString key() const;

private:
    QString name_;
    QString applicationName_;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
};

// Settings of the current user under "Software\Quorvel": the registry's HKEY_CURRENT_USER
// on Windows, a file under the user's configuration folder elsewhere.
namespace UserSettings {
QString organization();
// The settings below "Software\Quorvel" (groups are the keys below it).
QSettings open();
} // namespace UserSettings
