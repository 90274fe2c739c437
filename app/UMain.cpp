#include "app/UMain.h"

#include "app/UAbout.h"
#include "app/ULibro.h"
#include "classlib/Label.h"
#include "classlib/MenuItem.h"
#include "classlib/Panel.h"
#include "classlib/SysUtils.h"
#include "classlib/data/ADOConnection.h"
#include "classlib/data/ADOQuery.h"
#include "classlib/data/DataSource.h"
#include "classlib/dbctrls/DBCtrlGrid.h"
#include "classlib/dbctrls/DBText.h"
#include "platform/Exception.h"
#include "skin/TAVButton.h"
#include "skin/TAVComboBox.h"
#include "skin/TAVDBCtrls.h"
#include "skin/TAVForm.h"
#include "skin/TAVImagePanel.h"
#include "skin/TAVPopupMenu.h"

#include <algorithm>
#include <array>

TFrmMain* FrmMain = nullptr;

namespace {

const std::string AllLevels = "10";
const std::array<std::string, 6> ClassKeys{"BARDO", "CHIERICO", "DRUIDO", "MAGO_STREGONE", "PALADINO", "RANGER"};

// A value between single quotes stays one literal when each of its apostrophes is doubled.
std::string Literal(const std::string& value) {
    std::string doubled;
    doubled.reserve(value.size());
    for (char c : value) {
        doubled += c;
        if (c == '\'') doubled += '\'';
    }
    return doubled;
}

std::string YesNo(const TtavDBCheckBox* box) { return box->Checked() ? "True" : "False"; }

} // namespace

void TFrmMain::PublishProperties(TPublisher<TFrmMain>& p) {
    p.Field("tavForm1", &TFrmMain::tavForm1);
    p.Field("Panel1", &TFrmMain::Panel1);
    p.Field("Classe", &TFrmMain::Classe);
    p.Field("CmBIncantatore", &TFrmMain::CmBIncantatore);
    p.Field("BttT", &TFrmMain::BttT);
    p.Field("Btt0", &TFrmMain::Btt0);
    p.Field("Btt1", &TFrmMain::Btt1);
    p.Field("Btt2", &TFrmMain::Btt2);
    p.Field("Btt3", &TFrmMain::Btt3);
    p.Field("Btt4", &TFrmMain::Btt4);
    p.Field("Btt5", &TFrmMain::Btt5);
    p.Field("Btt6", &TFrmMain::Btt6);
    p.Field("Btt7", &TFrmMain::Btt7);
    p.Field("Btt8", &TFrmMain::Btt8);
    p.Field("Btt9", &TFrmMain::Btt9);
    p.Field("tavPanel4", &TFrmMain::tavPanel4);
    p.Field("DBLLBInc", &TFrmMain::DBLLBInc);
    p.Field("Panel2", &TFrmMain::Panel2);
    p.Field("tavPanel2", &TFrmMain::tavPanel2);
    p.Field("DBTInc", &TFrmMain::DBTInc);
    p.Field("DBTScuola", &TFrmMain::DBTScuola);
    p.Field("Label8", &TFrmMain::Label8);
    p.Field("Label9", &TFrmMain::Label9);
    p.Field("Label10", &TFrmMain::Label10);
    p.Field("Label11", &TFrmMain::Label11);
    p.Field("Label12", &TFrmMain::Label12);
    p.Field("Label13", &TFrmMain::Label13);
    p.Field("Label1", &TFrmMain::Label1);
    p.Field("Label2", &TFrmMain::Label2);
    p.Field("Label3", &TFrmMain::Label3);
    p.Field("Label4", &TFrmMain::Label4);
    p.Field("Label5", &TFrmMain::Label5);
    p.Field("Label6", &TFrmMain::Label6);
    p.Field("Label7", &TFrmMain::Label7);
    p.Field("DBEBersaglio", &TFrmMain::DBEBersaglio);
    p.Field("DBETempo", &TFrmMain::DBETempo);
    p.Field("DBEDurata", &TFrmMain::DBEDurata);
    p.Field("DBERaggio", &TFrmMain::DBERaggio);
    p.Field("DBEArea", &TFrmMain::DBEArea);
    p.Field("DBETS", &TFrmMain::DBETS);
    p.Field("DBEPagina", &TFrmMain::DBEPagina);
    p.Field("DBELivBar", &TFrmMain::DBELivBar);
    p.Field("DBELivChi", &TFrmMain::DBELivChi);
    p.Field("DBELivDru", &TFrmMain::DBELivDru);
    p.Field("DBELivM_S", &TFrmMain::DBELivM_S);
    p.Field("DBELivPal", &TFrmMain::DBELivPal);
    p.Field("DBELivRan", &TFrmMain::DBELivRan);
    p.Field("DBCBRI", &TFrmMain::DBCBRI);
    p.Field("DBCBV", &TFrmMain::DBCBV);
    p.Field("DBCBS", &TFrmMain::DBCBS);
    p.Field("DBCBM", &TFrmMain::DBCBM);
    p.Field("DBCBF", &TFrmMain::DBCBF);
    p.Field("DBCBFD", &TFrmMain::DBCBFD);
    p.Field("DBCBPE", &TFrmMain::DBCBPE);
    p.Field("DBMDescrizione", &TFrmMain::DBMDescrizione);
    p.Field("tavPanel1", &TFrmMain::tavPanel1);
    p.Field("Panel3", &TFrmMain::Panel3);
    p.Field("BttOrdLivello", &TFrmMain::BttOrdLivello);
    p.Field("BttOrdInc", &TFrmMain::BttOrdInc);
    p.Field("BttOrdScuola", &TFrmMain::BttOrdScuola);
    p.Field("DBCGSelezionati", &TFrmMain::DBCGSelezionati);
    p.Field("DBTLivello", &TFrmMain::DBTLivello);
    p.Field("DBTIncSel", &TFrmMain::DBTIncSel);
    p.Field("DBTScuSel", &TFrmMain::DBTScuSel);
    p.Field("tavButton1", &TFrmMain::tavButton1);
    p.Field("tavButton2", &TFrmMain::tavButton2);
    p.Field("ADOConnection", &TFrmMain::ADOConnection);
    p.Field("ADOQryInc", &TFrmMain::ADOQryInc);
    p.Field("DtSInc", &TFrmMain::DtSInc);
    p.Field("ADOQrySel", &TFrmMain::ADOQrySel);
    p.Field("DtSSel", &TFrmMain::DtSSel);
    p.Field("tavPopupMenu1", &TFrmMain::tavPopupMenu1);
    p.Field("Cancellaselezione1", &TFrmMain::Cancellaselezione1);
    p.Field("Cancellatutti1", &TFrmMain::Cancellatutti1);
    p.Method("FormCreate", &TFrmMain::FormCreate);
    p.Method("FormClose", &TFrmMain::FormClose);
    p.Method("SelectInc", &TFrmMain::SelectInc);
    p.Method("CmBIncantatoreChange", &TFrmMain::CmBIncantatoreChange);
    p.Method("BttTClick", &TFrmMain::BttTClick);
    p.Method("Btt0Click", &TFrmMain::Btt0Click);
    p.Method("Btt1Click", &TFrmMain::Btt1Click);
    p.Method("Btt2Click", &TFrmMain::Btt2Click);
    p.Method("Btt3Click", &TFrmMain::Btt3Click);
    p.Method("Btt4Click", &TFrmMain::Btt4Click);
    p.Method("Btt5Click", &TFrmMain::Btt5Click);
    p.Method("Btt6Click", &TFrmMain::Btt6Click);
    p.Method("Btt7Click", &TFrmMain::Btt7Click);
    p.Method("Btt8Click", &TFrmMain::Btt8Click);
    p.Method("Btt9Click", &TFrmMain::Btt9Click);
    p.Method("DBEBersaglioKeyPress", &TFrmMain::DBEBersaglioKeyPress);
    p.Method("DBETempoKeyPress", &TFrmMain::DBETempoKeyPress);
    p.Method("DBEDurataKeyPress", &TFrmMain::DBEDurataKeyPress);
    p.Method("DBERaggioKeyPress", &TFrmMain::DBERaggioKeyPress);
    p.Method("DBEAreaKeyPress", &TFrmMain::DBEAreaKeyPress);
    p.Method("DBETSKeyPress", &TFrmMain::DBETSKeyPress);
    p.Method("DBEPaginaKeyPress", &TFrmMain::DBEPaginaKeyPress);
    p.Method("DBELivBarKeyPress", &TFrmMain::DBELivBarKeyPress);
    p.Method("DBELivChiKeyPress", &TFrmMain::DBELivChiKeyPress);
    p.Method("DBELivDruKeyPress", &TFrmMain::DBELivDruKeyPress);
    p.Method("DBELivM_SKeyPress", &TFrmMain::DBELivM_SKeyPress);
    p.Method("DBELivPalKeyPress", &TFrmMain::DBELivPalKeyPress);
    p.Method("DBELivRanKeyPress", &TFrmMain::DBELivRanKeyPress);
    p.Method("DBMDescrizioneKeyPress", &TFrmMain::DBMDescrizioneKeyPress);
    p.Method("CambiaCarattere", &TFrmMain::CambiaCarattere);
    p.Method("SelectSel", &TFrmMain::SelectSel);
    p.Method("DBLLBIncDblClick", &TFrmMain::DBLLBIncDblClick);
    p.Method("DBLLBIncKeyUp", &TFrmMain::DBLLBIncKeyUp);
    p.Method("BttOrdLivelloClick", &TFrmMain::BttOrdLivelloClick);
    p.Method("BttOrdIncClick", &TFrmMain::BttOrdIncClick);
    p.Method("BttOrdScuolaClick", &TFrmMain::BttOrdScuolaClick);
    p.Method("Cancellaselezione1Click", &TFrmMain::Cancellaselezione1Click);
    p.Method("Cancellatutti1Click", &TFrmMain::Cancellatutti1Click);
    p.Method("tavButton1Click", &TFrmMain::tavButton1Click);
    p.Method("tavButton2Click", &TFrmMain::tavButton2Click);
}

// ---- start and end ---------------------------------------------------------------------------------------

void TFrmMain::FormCreate(TObject* sender) {
    CmBIncantatore->SetItemIndex(0);
    FLivello = AllLevels;
    FClasse = "BARDO";
    FOrdine = "INCANTESIMO";
    ADOConnection->SetConnected(true);
    // Each step is shown its own failure and the next still runs: a read-only database, whose emptying of
    // the selection fails, can still be browsed.
    GuardBoundary(this, [&] { Cancellatutti1Click(sender); });
    GuardBoundary(this, [&] { SelectInc(); });
    SelectSel();
}

void TFrmMain::FormClose(TObject*, TCloseAction&) {
    if (ADOQrySel->Active()) ADOQrySel->Close();
    if (ADOQryInc->Active()) ADOQryInc->Close();
    if (ADOConnection->Connected()) ADOConnection->SetConnected(false);
}

// ---- catalogue -------------------------------------------------------------------------------------------

void TFrmMain::SelectInc() {
    if (FClasse.empty()) return;
    if (ADOQryInc->Active()) ADOQryInc->Close();
    ADOQryInc->SQL()->Clear();
    if (FLivello != AllLevels)
        ADOQryInc->SQL()->Add("SELECT * FROM INCANTESIMI WHERE " + FClasse + " = '" + FLivello +
                              "' ORDER BY INCANTESIMO");
    else
        ADOQryInc->SQL()->Add("SELECT * FROM INCANTESIMI WHERE " + FClasse + " >= '0' AND " + FClasse +
                              " <= '9' ORDER BY INCANTESIMO");
    ADOQryInc->Open();
}

void TFrmMain::CmBIncantatoreChange(TObject*) {
    const std::string key = UpperCase(CmBIncantatore->Text());
    if (std::find(ClassKeys.begin(), ClassKeys.end(), key) == ClassKeys.end()) return;
    if (key == FClasse) return;
    FClasse = key;
    SelectInc();
}

void TFrmMain::SetLivello(const std::string& livello) {
    if (FLivello == livello) return;
    FLivello = livello;
    SelectInc();
    SelectSel();
}

void TFrmMain::BttTClick(TObject*) { SetLivello(AllLevels); }
void TFrmMain::Btt0Click(TObject*) { SetLivello("0"); }
void TFrmMain::Btt1Click(TObject*) { SetLivello("1"); }
void TFrmMain::Btt2Click(TObject*) { SetLivello("2"); }
void TFrmMain::Btt3Click(TObject*) { SetLivello("3"); }
void TFrmMain::Btt4Click(TObject*) { SetLivello("4"); }
void TFrmMain::Btt5Click(TObject*) { SetLivello("5"); }
void TFrmMain::Btt6Click(TObject*) { SetLivello("6"); }
void TFrmMain::Btt7Click(TObject*) { SetLivello("7"); }
void TFrmMain::Btt8Click(TObject*) { SetLivello("8"); }
void TFrmMain::Btt9Click(TObject*) { SetLivello("9"); }

void TFrmMain::CambiaCarattere(char32_t& key) {
    if (key == U'\'') key = U'\u2019';
}

void TFrmMain::DBEBersaglioKeyPress(TObject*, char32_t& key) { CambiaCarattere(key); }
void TFrmMain::DBETempoKeyPress(TObject*, char32_t& key) { CambiaCarattere(key); }
void TFrmMain::DBEDurataKeyPress(TObject*, char32_t& key) { CambiaCarattere(key); }
void TFrmMain::DBERaggioKeyPress(TObject*, char32_t& key) { CambiaCarattere(key); }
void TFrmMain::DBEAreaKeyPress(TObject*, char32_t& key) { CambiaCarattere(key); }
void TFrmMain::DBETSKeyPress(TObject*, char32_t& key) { CambiaCarattere(key); }
void TFrmMain::DBEPaginaKeyPress(TObject*, char32_t& key) { CambiaCarattere(key); }
void TFrmMain::DBELivBarKeyPress(TObject*, char32_t& key) { CambiaCarattere(key); }
void TFrmMain::DBELivChiKeyPress(TObject*, char32_t& key) { CambiaCarattere(key); }
void TFrmMain::DBELivDruKeyPress(TObject*, char32_t& key) { CambiaCarattere(key); }
void TFrmMain::DBELivM_SKeyPress(TObject*, char32_t& key) { CambiaCarattere(key); }
void TFrmMain::DBELivPalKeyPress(TObject*, char32_t& key) { CambiaCarattere(key); }
void TFrmMain::DBELivRanKeyPress(TObject*, char32_t& key) { CambiaCarattere(key); }
void TFrmMain::DBMDescrizioneKeyPress(TObject*, char32_t& key) { CambiaCarattere(key); }

// ---- selection -------------------------------------------------------------------------------------------

void TFrmMain::SelectSel() {
    if (FClasse.empty()) return;
    if (ADOQrySel->Active()) ADOQrySel->Close();
    ADOQrySel->SQL()->Clear();
    if (FLivello != AllLevels)
        ADOQrySel->SQL()->Add("SELECT * FROM SELEZIONATI WHERE LIVELLO = '" + FLivello + "' ORDER BY " + FOrdine);
    else
        ADOQrySel->SQL()->Add("SELECT * FROM SELEZIONATI ORDER BY " + FOrdine);
    ADOQrySel->Open();
}

void TFrmMain::DBLLBIncDblClick(TObject*) {
    // Without a current spell there is nothing to add.
    if (!ADOQryInc->Active() || ADOQryInc->IsEmpty()) return;
    AddCurrentSpell();
}

void TFrmMain::DBLLBIncKeyUp(TObject* sender, WORD& key, TShiftState) {
    if (key == 13) DBLLBIncDblClick(sender);
}

void TFrmMain::AddCurrentSpell() {
    if (ADOQrySel->Active()) ADOQrySel->Close();
    WithSelectionText([this] {
        ADOQrySel->SQL()->Clear();
        // The trimmed name, as the insert stores it: a name with blanks around it is added once.
        const std::string name = Trim(DBTInc->FieldText());
        ADOQrySel->SQL()->Add("SELECT * FROM SELEZIONATI WHERE INCANTESIMO='" + Literal(name) + "'");
        ADOQrySel->Open();
        const std::string livello = LevelOfCurrentClass();
        if (ADOQrySel->Eof()) {
            if (ADOQrySel->Active()) ADOQrySel->Close();
            ADOQrySel->SQL()->Clear();
            ADOQrySel->SQL()->Add(InsertStatement(livello));
            ADOQrySel->ExecSQL();
        }
    });
}

void TFrmMain::WithSelectionText(const std::function<void()>& statements) {
    const std::string saved = ADOQrySel->SQL()->Text();
    auto restore = [&] {
        ADOQrySel->SQL()->Clear();
        ADOQrySel->SQL()->SetText(saved);
        ADOQrySel->Open();
    };
    try {
        statements();
    } catch (...) {
        // The statement's own failure is the one the user is told of; the grid shows the selection again
        // when the database lets it be read.
        try {
            restore();
        } catch (const Exception&) {
        }
        throw;
    }
    restore();
}

std::string TFrmMain::LevelOfCurrentClass() const {
    const std::array<TtavDBEdit*, 6> levelEdits{DBELivBar, DBELivChi, DBELivDru, DBELivM_S, DBELivPal, DBELivRan};
    for (size_t i = 0; i < ClassKeys.size(); ++i)
        if (FClasse == ClassKeys[i]) return levelEdits[i]->Text();
    return {};
}

std::string TFrmMain::InsertStatement(const std::string& livello) const {
    // The two lines of the printed card hold 102 and 91 characters.
    const std::string description = DBMDescrizione->Text();
    const std::string part1 = Utf8Copy(description, 1, 102);
    const std::string part2 = Utf8Copy(description, 103, 91);
    return "INSERT INTO SELEZIONATI (LIVELLO, SCUOLA, INCANTESIMO,DESCRIZIONE1, DESCRIZIONE2, BERSAGLIO, "
           "TEMPODILANCIO, DURATA, RAGGIO,AREA, TS, RI, V, S, M, F, FD, PE, PAGINA)VALUES('" +
           Literal(livello) + "','" + Literal(DBTScuola->FieldText()) + "','" + Literal(Trim(DBTInc->FieldText())) +
           "', '" + Literal(part1) + "', '" + Literal(part2) + "', '" + Literal(DBEBersaglio->Text()) + "', '" +
           Literal(DBETempo->Text()) + "', '" + Literal(DBEDurata->Text()) + "', '" + Literal(DBERaggio->Text()) +
           "',  '" + Literal(DBEArea->Text()) + "', '" + Literal(DBETS->Text()) + "', " + YesNo(DBCBRI) + ", " +
           YesNo(DBCBV) + ", " + YesNo(DBCBS) + ", " + YesNo(DBCBM) + ", " + YesNo(DBCBF) + ", " + YesNo(DBCBFD) +
           ", " + YesNo(DBCBPE) + ", '" + Literal(DBEPagina->Text()) + "')";
}

void TFrmMain::SetOrdine(const std::string& ordine) {
    if (FOrdine == ordine) return;
    FOrdine = ordine;
    SelectSel();
}

void TFrmMain::BttOrdLivelloClick(TObject*) { SetOrdine("LIVELLO"); }
void TFrmMain::BttOrdIncClick(TObject*) { SetOrdine("INCANTESIMO"); }
void TFrmMain::BttOrdScuolaClick(TObject*) { SetOrdine("SCUOLA"); }

void TFrmMain::ExecuteOnSelection(const std::string& statement) {
    WithSelectionText([&] {
        if (ADOQrySel->Active()) ADOQrySel->Close();
        ADOQrySel->SQL()->Clear();
        ADOQrySel->SQL()->Add(statement);
        ADOQrySel->ExecSQL();
    });
}

void TFrmMain::Cancellaselezione1Click(TObject*) {
    // Without a current selection row there is nothing to remove.
    if (!ADOQrySel->Active() || ADOQrySel->IsEmpty()) return;
    ExecuteOnSelection("DELETE * FROM SELEZIONATI WHERE INCANTESIMO='" + Literal(DBTIncSel->FieldText()) + "'");
}

void TFrmMain::Cancellatutti1Click(TObject*) {
    ExecuteOnSelection(FLivello != AllLevels ? "DELETE * FROM SELEZIONATI WHERE LIVELLO='" + FLivello + "'"
                                             : "DELETE * FROM SELEZIONATI");
}

// ---- print and About -------------------------------------------------------------------------------------

void TFrmMain::tavButton1Click(TObject*) {
    FOrdine = "LIVELLO, INCANTESIMO";
    SelectSel();
    frmLibro->Preview();
}

void TFrmMain::tavButton2Click(TObject*) { FrmAbout->Show(); }
