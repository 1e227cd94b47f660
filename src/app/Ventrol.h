#pragma once

#include "FWindow.h"

#include <QMainWindow>

#include <functional>

class QAction;
class QPushButton;
class QToolButton;

// What the main window's buttons and menu items open. An entry left empty is a window not
// available in this build: its button and menu item stay disabled.
struct MainActions {
    std::function<void()> rozliczenia;
    std::function<bool()> wczytajWplaty;  // true when the run booked (FZaksiegowano)
    std::function<bool()> wczytajFaktury; // true when the run booked (FZaksiegowano)
    std::function<void()> wczytajKlienci;
    std::function<void()> klienci;
    std::function<void()> transakcje;
    std::function<void()> uzytkownicy;
    std::function<void()> zmianaHasla;
    std::function<void()> dziennik;    // "Dziennik zmian"
    std::function<bool()> korektaNazw; // true when names were changed (FBylaModyfikacja)
    std::function<void()> ustawieniaRozrachunkow;
    std::function<void()> daneFirmy;
    std::function<void()> tabeleOdsetek;
    std::function<void()> kursyEur;
    // "Windykacja": reminders to all debtors, confirmations of all balances, the notes register
    std::function<void()> wezwaniaWszystkim;
    std::function<void()> potwierdzeniaWszystkim;
    std::function<void()> rejestrNot;
    std::function<void()> oProgramie;
};

// The launcher: four big buttons and the main menu; it holds no data of its own.
class TMainFrm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainFrm(QWidget* parent = nullptr);

    void setActions(MainActions actions);

    void Rozliczenia();
    void WczytajWplaty();
    void WczytajFaktury();
    void WczytajKlienci();
    void Klienci();
    void UpdateBtns();
    void UpdateMenu();
    void LoadConfig() {}
    void SaveConfig() {}
    // Shows the window centred on the screen's work area with the restored size.
    // After the login: the buttons as the data allow, the focus on the first enabled one.
    void showCentred();
    void focusFirstEnabledButton();
    // What happens each time the window becomes active.
    void onActivated();

    TWindow gWindow;
    QToolButton* RozliczBtn;
    QToolButton* WyciagBtn;
    QToolButton* FakturyBtn;
    QToolButton* KontrahBtn;
    QAction* actKontrahenci;
    QAction* actTransakcje;
    QAction* actUzytkownicy;
    QAction* actZmianaHasla;
    QAction* actDziennik;
    QAction* actKorektaNazw;
    QAction* actUstawieniaRozrachunkow;
    QAction* actDaneFirmy;
    QAction* actTabeleOdsetek;
    QAction* actKursyEur;
    QAction* actWezwania;
    QAction* actPotwierdzenia;
    QAction* actRejestrNot;
    QAction* actZakoncz;
    QAction* actRozliczenie;
    QAction* actWczytajFaktury;
    QAction* actWczytajWyciag;
    QAction* actWczytajKlientow;
    QAction* actWersja;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Remembers the current contractor, runs the import, and when it booked reopens the
    // contractor list on the same contractor.
    void poImporcie(const std::function<bool()>& execute);
    void buildMenu();
    QToolButton* bigButton(const QString& caption, const QIcon& icon);
    void applyAvailability();
    void zakoncz();

    MainActions actions_;
};
