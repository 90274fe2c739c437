#pragma once
#include "classlib/Forms.h"
#include "classlib/ShiftState.h"

#include <functional>
#include <string>

class TADOConnection;
class TADOQuery;
class TDataSource;
class TDBCtrlGrid;
class TDBText;
class TLabel;
class TMenuItem;
class TPanel;
class TtavButton;
class TtavComboBox;
class TtavDBCheckBox;
class TtavDBEdit;
class TtavDBLookupListBox;
class TtavDBMemo;
class TtavForm;
class TtavPanel;
class TtavPopupMenu;

// The main window: the catalogue by class and level, the spell's details edited in place, the selection
// with its sort buttons, and the print and About buttons. Its layout is TFRMMAIN.
class TFrmMain : public TForm {
    VMR_CLASS(TFrmMain, TForm)

  public:
    static void PublishProperties(TPublisher<TFrmMain>& p);

    void FormCreate(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);

    void SelectInc();
    void CmBIncantatoreChange(TObject* sender);
    void BttTClick(TObject* sender);
    void Btt0Click(TObject* sender);
    void Btt1Click(TObject* sender);
    void Btt2Click(TObject* sender);
    void Btt3Click(TObject* sender);
    void Btt4Click(TObject* sender);
    void Btt5Click(TObject* sender);
    void Btt6Click(TObject* sender);
    void Btt7Click(TObject* sender);
    void Btt8Click(TObject* sender);
    void Btt9Click(TObject* sender);
    // A typed apostrophe becomes the typographic one, so typed text never breaks a statement's quotes.
    void CambiaCarattere(char32_t& key);
    void DBEBersaglioKeyPress(TObject* sender, char32_t& key);
    void DBETempoKeyPress(TObject* sender, char32_t& key);
    void DBEDurataKeyPress(TObject* sender, char32_t& key);
    void DBERaggioKeyPress(TObject* sender, char32_t& key);
    void DBEAreaKeyPress(TObject* sender, char32_t& key);
    void DBETSKeyPress(TObject* sender, char32_t& key);
    void DBEPaginaKeyPress(TObject* sender, char32_t& key);
    void DBELivBarKeyPress(TObject* sender, char32_t& key);
    void DBELivChiKeyPress(TObject* sender, char32_t& key);
    void DBELivDruKeyPress(TObject* sender, char32_t& key);
    void DBELivM_SKeyPress(TObject* sender, char32_t& key);
    void DBELivPalKeyPress(TObject* sender, char32_t& key);
    void DBELivRanKeyPress(TObject* sender, char32_t& key);
    void DBMDescrizioneKeyPress(TObject* sender, char32_t& key);

    void SelectSel();
    void DBLLBIncDblClick(TObject* sender);
    void DBLLBIncKeyUp(TObject* sender, WORD& key, TShiftState shift);
    void BttOrdLivelloClick(TObject* sender);
    void BttOrdIncClick(TObject* sender);
    void BttOrdScuolaClick(TObject* sender);
    void Cancellaselezione1Click(TObject* sender);
    void Cancellatutti1Click(TObject* sender);

    void tavButton1Click(TObject* sender);
    void tavButton2Click(TObject* sender);

    const std::string& GetLivello() const { return FLivello; }
    const std::string& GetClasse() const { return FClasse; }
    const std::string& GetOrdine() const { return FOrdine; }

    TtavForm* tavForm1 = nullptr;
    TPanel* Panel1 = nullptr;
    TtavPanel* Classe = nullptr;
    TtavComboBox* CmBIncantatore = nullptr;
    TtavButton* BttT = nullptr;
    TtavButton* Btt0 = nullptr;
    TtavButton* Btt1 = nullptr;
    TtavButton* Btt2 = nullptr;
    TtavButton* Btt3 = nullptr;
    TtavButton* Btt4 = nullptr;
    TtavButton* Btt5 = nullptr;
    TtavButton* Btt6 = nullptr;
    TtavButton* Btt7 = nullptr;
    TtavButton* Btt8 = nullptr;
    TtavButton* Btt9 = nullptr;
    TtavPanel* tavPanel4 = nullptr;
    TtavDBLookupListBox* DBLLBInc = nullptr;
    TPanel* Panel2 = nullptr;
    TtavPanel* tavPanel2 = nullptr;
    TDBText* DBTInc = nullptr;
    TDBText* DBTScuola = nullptr;
    TLabel* Label8 = nullptr;
    TLabel* Label9 = nullptr;
    TLabel* Label10 = nullptr;
    TLabel* Label11 = nullptr;
    TLabel* Label12 = nullptr;
    TLabel* Label13 = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label3 = nullptr;
    TLabel* Label4 = nullptr;
    TLabel* Label5 = nullptr;
    TLabel* Label6 = nullptr;
    TLabel* Label7 = nullptr;
    TtavDBEdit* DBEBersaglio = nullptr;
    TtavDBEdit* DBETempo = nullptr;
    TtavDBEdit* DBEDurata = nullptr;
    TtavDBEdit* DBERaggio = nullptr;
    TtavDBEdit* DBEArea = nullptr;
    TtavDBEdit* DBETS = nullptr;
    TtavDBEdit* DBEPagina = nullptr;
    TtavDBEdit* DBELivBar = nullptr;
    TtavDBEdit* DBELivChi = nullptr;
    TtavDBEdit* DBELivDru = nullptr;
    TtavDBEdit* DBELivM_S = nullptr;
    TtavDBEdit* DBELivPal = nullptr;
    TtavDBEdit* DBELivRan = nullptr;
    TtavDBCheckBox* DBCBRI = nullptr;
    TtavDBCheckBox* DBCBV = nullptr;
    TtavDBCheckBox* DBCBS = nullptr;
    TtavDBCheckBox* DBCBM = nullptr;
    TtavDBCheckBox* DBCBF = nullptr;
    TtavDBCheckBox* DBCBFD = nullptr;
    TtavDBCheckBox* DBCBPE = nullptr;
    TtavDBMemo* DBMDescrizione = nullptr;
    TtavPanel* tavPanel1 = nullptr;
    TPanel* Panel3 = nullptr;
    TtavButton* BttOrdLivello = nullptr;
    TtavButton* BttOrdInc = nullptr;
    TtavButton* BttOrdScuola = nullptr;
    TDBCtrlGrid* DBCGSelezionati = nullptr;
    TDBText* DBTLivello = nullptr;
    TDBText* DBTIncSel = nullptr;
    TDBText* DBTScuSel = nullptr;
    TtavButton* tavButton1 = nullptr;
    TtavButton* tavButton2 = nullptr;
    TADOConnection* ADOConnection = nullptr;
    TADOQuery* ADOQryInc = nullptr;
    TDataSource* DtSInc = nullptr;
    TADOQuery* ADOQrySel = nullptr;
    TDataSource* DtSSel = nullptr;
    TtavPopupMenu* tavPopupMenu1 = nullptr;
    TMenuItem* Cancellaselezione1 = nullptr;
    TMenuItem* Cancellatutti1 = nullptr;

  protected:
    explicit TFrmMain(TComponent* owner) : TForm(owner) {}

  private:
    void SetLivello(const std::string& livello);
    void SetOrdine(const std::string& ordine);
    void AddCurrentSpell();
    std::string InsertStatement(const std::string& livello) const;
    std::string LevelOfCurrentClass() const;
    // Runs a statement on the selection query in place of its text, then puts the text back and reopens.
    void ExecuteOnSelection(const std::string& statement);
    // Runs statements that replace the selection query's text, then puts the text back and reopens it,
    // whether they succeed or fail.
    void WithSelectionText(const std::function<void()>& statements);

    std::string FLivello;
    std::string FClasse;
    std::string FOrdine;
};

extern TFrmMain* FrmMain;
