#pragma once

#include "Interfejsy.h"
#include "PropozycjePlatnikow.h"
#include "StronyKodowe.h"

#include <QAbstractTableModel>
#include <QDialog>

#include <functional>
#include <memory>
#include <vector>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTableView;
class QTableWidget;
class HistoriaImportow;
class Tks;

// The payment list of the import window: the credits of the loaded statement, for display.
class WyciagTblModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Wiersz {
        Date Data;
        Money Kwota;
        QString Konto; // laid out for reading, at most 34 characters
        QString Nazwa; // at most 80
        QString Opis;  // at most 80
        QString Bank;  // at most 100
        QString Waluta;
        bool DoKsiegowania = true; // false for a statement in another currency
    };

    using QAbstractTableModel::QAbstractTableModel;
    void setRows(std::vector<Wiersz> rows);
    void clear() { setRows({}); }
    const std::vector<Wiersz>& rows() const { return rows_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<Wiersz> rows_;
};

// "Wczytywanie wpłat": lists the credits of a bank statement file and books them.
class TfrmWczytajWplaty : public QDialog {
    Q_OBJECT
public:
    TfrmWczytajWplaty(Tks& ks, QWidget* parent = nullptr);
    ~TfrmWczytajWplaty() override;

    // Resets the window and shows it modally; FZaksiegowano tells the caller what happened.
    void Execute();
    void Reset();

    bool FZaksiegowano = false;

    // The button handlers, callable without clicking.
    void WczytajBtnClick();
    void KsiegujBtnClick();

    TKodowanie Kodowanie() const;
    void setKodowanie(TKodowanie k);
    void setNazwaPliku(const QString& name);
    bool ksiegujEnabled() const;
    const WyciagTblModel& lista() const { return *WyciagTbl; }
    QStringList RapOgolny() const;
    QStringList RapNowyKlient() const;
    // The tab shown in front and whether the report tabs are visible.
    QString currentTabText() const;
    bool raportVisible() const;
    bool nowyKlientVisible() const;
    // The first statement of the file listed last; null when the listing failed.
    std::shared_ptr<IWyciag> wyciag() const { return Wyciag.empty() ? nullptr : Wyciag.front(); }
    const std::vector<std::shared_ptr<IWyciag>>& wyciagi() const { return Wyciag; }
    bool trwa() const { return trwa_; }

    // Payers from unknown accounts whose names are contractors' names: listed on the tab
    // "Propozycje płatników" after the list is made, each accepted (ticked) or changed by the
    // user before booking.
    const std::vector<PropozycjaPlatnika>& propozycje() const { return propozycje_; }
    // Ticks or unticks a proposal; the contractor a proposal goes to when changed.
    void przyjmijPropozycje(int i, bool tak);
    void zmienKlienta(int i, int klientId, const QString& nazwa);
    // What booking would take from the proposals.
    DecyzjePlatnikow decyzje() const;
    bool propozycjeVisible() const;
    // Picks a contractor for "Zmień kontrahenta..."; returns its id, 0 when none was picked.
    std::function<int()> wybierzKlienta;

    HistoriaImportow* historia() const { return historia_; }
    void pokazHistorie();
    // What the window says of the file listed last: its encoding, each statement's layout
    // and currency.
    QString opisPliku() const;
    // Closing waits for a booking run's end.
    void reject() override;

private:
    void buildUi();
    void przegladaj();
    void pokazSzczegoly();
    void wyczysc();
    // The file or its encoding changed: what was listed goes.
    void zmianaZrodla();
    void listuj();
    void pokazPropozycje();
    void zmienWybranego();

    Tks& ks_;
    // The statements of the file listed last, in file order, less those registered before.
    std::vector<std::shared_ptr<IWyciag>> Wyciag;
    bool trwa_ = false; // a booking run is under way
    QString plikListy_; // the file listed last, kept with its registrations
    HistoriaImportow* historia_ = nullptr;
    QProgressBar* Gauge;
    WyciagTblModel* WyciagTbl;
    QLineEdit* edPlik;
    QButtonGroup* kodowanie_;
    QPushButton* btnWczytaj;
    QPushButton* btnKsieguj;
    QPushButton* btnZamknij;
    QTabWidget* tabs;
    QWidget* tabSzczegoly;
    QWidget* tabRaport;
    QWidget* tabNowyKlient;
    QWidget* tabPropozycje;
    QTableWidget* gridPropozycje;
    std::vector<PropozycjaPlatnika> propozycje_;
    QPlainTextEdit* memRaport;
    QPlainTextEdit* memNowyKlient;
    QTableView* grid;
    QLabel* lbData;
    QLabel* lbKwota;
    QLabel* lbKonto;
    QLabel* lbBank;
    QLabel* lbKontrahent;
    QLabel* lbOpis;
    QLabel* lbOpisPliku; // the encoding and the statements of the file listed
};
