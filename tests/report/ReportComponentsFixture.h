#pragma once
// The spell book report read from a layout shaped like the application's, over a selection table of a
// SQLite database in a temporary folder, and the main form whose selection query it names across forms.
#include "classlib/Component.h"
#include "classlib/data/ADOQuery.h"
#include "report/QuickRep.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The main window stand-in: its layout holds the connection and the selection query.
class TTestMain : public TComponent {
    VMR_CLASS(TTestMain, TComponent)

  protected:
    using TComponent::TComponent;
};

class TQRGroup;
class TQRBand;
class TQRDBText;

// The spell book report: its bands and elements as published fields, its print rule for yes/no values.
class TTestLibro : public TQuickRep {
    VMR_CLASS(TTestLibro, TQuickRep)

  public:
    static void PublishProperties(TPublisher<TTestLibro>& p);
    void MakeX(std::string& value);
    void QRDBText17Print(TObject* sender, std::string& value);

    TQRGroup* QRGroup1 = nullptr;
    TQRBand* QRBand1 = nullptr;
    TQRDBText* QRDBText17 = nullptr;
    // The values the print handler was called with.
    std::vector<std::string> PrintedMarks;

  protected:
    using TQuickRep::TQuickRep;
};

struct TSelected {
    std::optional<std::string> Level;
    std::string Name;
    std::optional<std::string> RI = "False";
};

class ReportComponents : public ::testing::Test {
  protected:
    ReportComponents();
    ~ReportComponents() override;

    // Adds rows to the selection table.
    void Select(const std::vector<TSelected>& rows);
    // Reads the main form, then the report.
    void ReadForms();
    // Reopens the selection query on another text.
    void Requery(const std::string& sql);

    std::filesystem::path FFolder;
    std::filesystem::path FPrevious;
    std::unique_ptr<TComponent> FMain;
    std::unique_ptr<TTestLibro> FReport;
    TADOQuery* FQuery = nullptr;
};

std::string MainLayout();
std::string ReportLayout();

// `count` rows of a level, named so that they sort in order.
std::vector<TSelected> Spells(const std::string& level, int count);
std::vector<TSelected> Concat(std::vector<TSelected> first, const std::vector<TSelected>& second);
