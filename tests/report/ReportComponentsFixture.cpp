#include "ReportComponentsFixture.h"

#include "classlib/LayoutReader.h"
#include "classlib/RegisterClasslib.h"
#include "report/QRBand.h"
#include "report/QRLabel.h"
#include "report/RegisterReport.h"

#include <sqlite3.h>

#include <stdexcept>
#include <stdlib.h>

namespace {

const char* const DatabaseName = "Libro.mdb";

void Exec(const std::filesystem::path& file, const std::string& sql) {
    sqlite3* db = nullptr;
    const int opened =
        sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    char* error = nullptr;
    const bool ok =
        opened == SQLITE_OK && sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) == SQLITE_OK;
    const std::string message = error ? error : sqlite3_errmsg(db);
    sqlite3_free(error);
    sqlite3_close_v2(db);
    if (!ok) throw std::runtime_error(message + " in " + sql);
}

std::string Quoted(const std::optional<std::string>& value) {
    if (!value) return "NULL";
    std::string quoted = "'";
    for (char c : *value)
        quoted += c == '\'' ? std::string("''") : std::string(1, c);
    return quoted + "'";
}

// A text element of the layout: place in mm, font, white or transparent.
std::string TextElement(const std::string& name, const std::string& cls, double left, double top,
                        const std::string& content, const std::string& font, bool transparent) {
    return "    object " + name + ": " + cls + "\n" + "      Size.Left = " + std::to_string(left) + "\n" +
           "      Size.Top = " + std::to_string(top) + "\n" + "      Size.Width = 20\n" +
           "      Size.Height = 4\n" + content + font + (transparent ? "      Transparent = True\n" : "") +
           "    end\n";
}

std::string Shape(const std::string& name, double left, double top, double width, double height,
                  const std::string& extra = "") {
    return "    object " + name + ": TQRShape\n" + "      Size.Left = " + std::to_string(left) + "\n" +
           "      Size.Top = " + std::to_string(top) + "\n" + "      Size.Width = " + std::to_string(width) +
           "\n" + "      Size.Height = " + std::to_string(height) + "\n" + extra + "    end\n";
}

const char* const TitleFont = "      ParentFont = False\n"
                              "      Font.Charset = DEFAULT_CHARSET\n"
                              "      Font.Color = clWhite\n"
                              "      Font.Height = -19\n"
                              "      Font.Name = 'Verdana'\n"
                              "      Font.Style = []\n";
const char* const ValueFont = "      Font.Charset = ANSI_CHARSET\n"
                              "      Font.Color = clWindowText\n"
                              "      Font.Height = -12\n"
                              "      Font.Name = 'Monotype Corsiva'\n"
                              "      Color = clWhite\n"
                              "      AutoSize = True\n"
                              "      AutoStretch = False\n"
                              "      WordWrap = True\n"
                              "      Alignment = taLeftJustify\n";
const char* const CaptionFont = "      Font.Charset = ANSI_CHARSET\n"
                                "      Font.Color = clWindowText\n"
                                "      Font.Height = -8\n"
                                "      Font.Name = 'Arial'\n"
                                "      Font.Style = []\n";

std::string DataText(const std::string& field) {
    return "      DataSet = FrmMain.ADOQrySel\n      DataField = '" + field + "'\n";
}

} // namespace

void TTestLibro::PublishProperties(TPublisher<TTestLibro>& p) {
    p.Field("QRGroup1", &TTestLibro::QRGroup1);
    p.Field("QRBand1", &TTestLibro::QRBand1);
    p.Field("QRDBText17", &TTestLibro::QRDBText17);
    p.Method("MakeX", &TTestLibro::MakeX);
    p.Method("QRDBText17Print", &TTestLibro::QRDBText17Print);
}

void TTestLibro::MakeX(std::string& value) {
    std::string upper = value;
    for (char& c : upper)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    value.assign(1, upper == "TRUE" ? 'X' : ' ');
}

void TTestLibro::QRDBText17Print(TObject*, std::string& value) {
    PrintedMarks.push_back(value);
    MakeX(value);
}

std::string MainLayout() {
    return "object FrmMain: TTestMain\n"
           "  object ADOConnection: TADOConnection\n"
           "    ConnectionString = 'Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" +
           std::string(DatabaseName) +
           "'\n"
           "    Connected = True\n"
           "    LoginPrompt = False\n"
           "  end\n"
           "  object ADOQrySel: TADOQuery\n"
           "    Connection = ADOConnection\n"
           "    CursorType = ctStatic\n"
           "    SQL.Strings = (\n"
           "      'SELECT * FROM SELEZIONATI ORDER BY LIVELLO, INCANTESIMO')\n"
           "  end\n"
           "end\n";
}

std::string ReportLayout() {
    return "object frmLibro: TTestLibro\n"
           "  DataSet = FrmMain.ADOQrySel\n"
           "  Font.Charset = DEFAULT_CHARSET\n"
           "  Font.Color = clWindowText\n"
           "  Font.Height = -11\n"
           "  Font.Name = 'Verdana'\n"
           "  Font.Style = []\n"
           "  Functions.Strings = (\n"
           "    'PAGENUMBER'\n"
           "    'COLUMNNUMBER'\n"
           "    'REPORTTITLE')\n"
           "  Functions.DATA = (\n"
           "    '0'\n"
           "    '0'\n"
           "    '''''')\n"
           "  Options = [FirstPageHeader, LastPageFooter]\n"
           "  Page.Columns = 1\n"
           "  Page.Orientation = poPortrait\n"
           "  Page.PaperSize = A4\n"
           "  Page.TopMargin = 50\n"
           "  Page.BottomMargin = 50\n"
           "  Page.LeftMargin = 30\n"
           "  Page.RightMargin = 30\n"
           "  Page.Length = 2970\n"
           "  Page.Width = 2100\n"
           "  Page.ColumnSpace = 0\n"
           "  PrinterSettings.Copies = 1\n"
           "  PrinterSettings.Duplex = False\n"
           "  PrinterSettings.FirstPage = 0\n"
           "  PrinterSettings.LastPage = 0\n"
           "  PrinterSettings.OutputBin = Auto\n"
           "  PrintIfEmpty = True\n"
           "  SnapToGrid = True\n"
           "  Units = MM\n"
           "  Zoom = 100\n"
           "  object QRGroup1: TQRGroup\n"
           "    Size.Height = 9.26\n"
           "    Size.Width = 204.0\n"
           "    Color = clWhite\n"
           "    Expression = 'LIVELLO'\n"
           "    ForceNewPage = True\n"
           "    LinkBand = QRBand1\n"
           "    Master = frmLibro\n"
           "    ReprintOnNewPage = False\n" +
           Shape("QRShape8", 4.5, 1.6, 195.3, 7.7, "      Pen.Mode = pmBlack\n      Pen.Width = 2\n") +
           TextElement("QRLabel10", "TQRLabel", 26.7, 2.1, "      Caption = 'Incantesimi di'\n", TitleFont,
                       true) +
           TextElement("QRDBText10", "TQRDBText", 64.3, 2.1, DataText("LIVELLO"), TitleFont, true) +
           TextElement("QRLabel11", "TQRLabel", 71.2, 2.1, "      Caption = 'livello da'\n", TitleFont,
                       true) +
           Shape("QRShape11", 95.8, 2.1, 48.4, 6.6) +
           "  end\n"
           "  object QRBand1: TQRBand\n"
           "    Size.Height = 30.69\n"
           "    Size.Width = 204.0\n"
           "    BandType = rbDetail\n"
           "    ForceNewPage = False\n" +
           Shape("QRShape9", 4.5, -0.5, 195.3, 31.2, "      Pen.Width = 3\n") +
           TextElement("QRDBText1", "TQRDBText", 7.7, 1.9,
                       DataText("INCANTESIMO") + "      Font.Style = [fsBold, fsItalic]\n", ValueFont,
                       false) +
           TextElement("QRLabel1", "TQRLabel", 7.7, 5.0, "      Caption = 'Incantesimo'\n", CaptionFont,
                       false) +
           TextElement("QRDBText17", "TQRDBText", 188.9, 1.9,
                       DataText("RI") + "      OnPrint = QRDBText17Print\n", CaptionFont, false) +
           Shape("QRShape30", 7.7, 4.8, 72.5, 0, "      Shape = qrsHorLine\n") +
           "  end\n"
           "end\n";
}

std::vector<TSelected> Spells(const std::string& level, int count) {
    std::vector<TSelected> spells;
    for (int i = 0; i < count; ++i)
        spells.push_back({level, "Incantesimo " + level + "-" + std::to_string(100 + i)});
    return spells;
}

std::vector<TSelected> Concat(std::vector<TSelected> first, const std::vector<TSelected>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

ReportComponents::ReportComponents() {
    RegisterClasslibClasses();
    RegisterReportClasses();
    RegisterClass<TTestMain>();
    RegisterClass<TTestLibro>();
    std::string pattern = (std::filesystem::temp_directory_path() / "vmr-report-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder from " + pattern);
    FFolder = pattern;
    FPrevious = std::filesystem::current_path();
    std::filesystem::current_path(FFolder);
    Exec(FFolder / DatabaseName, "CREATE TABLE SELEZIONATI (ID INTEGER PRIMARY KEY, "
                                 "LIVELLO VARCHAR(1) COLLATE NOCASE, INCANTESIMO VARCHAR(50) COLLATE NOCASE, "
                                 "RI BOOLEAN DEFAULT 0)");
}

ReportComponents::~ReportComponents() {
    FReport.reset();
    FMain.reset();
    std::error_code ignored;
    std::filesystem::current_path(FPrevious, ignored);
    std::filesystem::remove_all(FFolder, ignored);
}

void ReportComponents::Select(const std::vector<TSelected>& rows) {
    std::string sql = "BEGIN;";
    for (const TSelected& row : rows)
        sql += "INSERT INTO SELEZIONATI (LIVELLO, INCANTESIMO, RI) VALUES (" + Quoted(row.Level) + ", " +
               Quoted(row.Name) + ", " + Quoted(row.RI) + ");";
    Exec(FFolder / DatabaseName, sql + "COMMIT;");
}

void ReportComponents::ReadForms() {
    FMain.reset(ReadLayout(MainLayout(), "TTESTMAIN", nullptr));
    FQuery = static_cast<TADOQuery*>(FMain->FindComponent("ADOQrySel"));
    FQuery->Open();
    FReport.reset(static_cast<TTestLibro*>(ReadLayout(ReportLayout(), "TFRMLIBRO", nullptr)));
}

void ReportComponents::Requery(const std::string& sql) {
    FQuery->Close();
    FQuery->SQL()->SetText(sql);
    FQuery->Open();
}
