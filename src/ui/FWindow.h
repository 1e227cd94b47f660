#pragma once

#include <QSettings>
#include <QString>

#include <vector>

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

class QTableView;

// Column widths of a grid, kept per user under "Software\Quorvel\Brevant\Grid\" + the grid's
// name, one integer per column position ("Kol0", "Kol1", ...). Only widths are kept.
namespace GridLayout {
inline constexpr int MinSzerokosc = 5; // a narrower stored width opens as this
QString NazwaKol(int i);
// The widths by column position with the stored ones in place of the given ones.
std::vector<int> WczytajSzerokosci(const QString& gridName, std::vector<int> widths);
// Stores the widths by column position, rewriting only values that differ.
void ZapiszSzerokosci(const QString& gridName, const std::vector<int>& widths);
// Sets the widths stored for the grid's column positions; a missing key or value changes
// nothing, and values for positions the grid does not have are ignored.
void LoadGridCol(QTableView& grid, const QString& gridName);
// Stores the width of every column position, rewriting only values that differ.
void SaveGridCol(const QTableView& grid, const QString& gridName);
} // namespace GridLayout

// Settings of the current user under "Software\Quorvel": the registry's HKEY_CURRENT_USER
// on Windows, a file under the user's configuration folder elsewhere.
namespace UserSettings {
QString organization();
// The settings below "Software\Quorvel" (groups are the keys below it).
QSettings open();
} // namespace UserSettings
