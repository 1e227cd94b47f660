#pragma once

#include <QSettings>
#include <QString>

#include <utility>
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

class QWidget;

// Every window's size and place and the column widths of its lists, kept from one run to the
// next: restored each time a window is shown, stored each time it is hidden. The placement is
// a TWindow under "Brevant" and the window's name, the widths a GridLayout per list.
//
// Installed once on the application, it looks after every window the program opens, also
// those added later; the windows need do nothing but have a stable name. A window's name is
// its objectName, else its class name; a list's name is its objectName, else the window's
// name, a full stop and its position among the window's lists.
namespace UkladOkien {
// Looks after every window of the application from now on.
void zainstaluj();
// Whether a window is one the keeper looks after: the program's own windows and any window
// given an objectName; never message boxes or file dialogs.
bool pilnowane(const QWidget* okno);
QString nazwaOkna(const QWidget* okno);
// The lists of a window, in the order the window made them, each with its name.
std::vector<std::pair<QTableView*, QString>> siatki(QWidget* okno);
// Puts the window where it was last time (on a screen it can be seen on, else centred on the
// screen, never larger than the screen) and gives its lists their widths.
void przywroc(QWidget* okno);
void zapamietaj(QWidget* okno);
} // namespace UkladOkien

// Settings of the current user under "Software\Quorvel": the registry's HKEY_CURRENT_USER
// on Windows, a file under the user's configuration folder elsewhere.
namespace UserSettings {
QString organization();
// The settings below "Software\Quorvel" (groups are the keys below it).
QSettings open();
} // namespace UserSettings
