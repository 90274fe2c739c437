#pragma once
#include "report/ReportPage.h"

#include <cstdint>
#include <string>
#include <vector>

// Generated reports saved as files of their own: a magic header, the format version, the paper, then the
// pages with their items, all little-endian. Loading checks every count and length against what the file
// holds before using it; a damaged or foreign file raises EReadError naming the file and the fault, and
// gives no document at all.
class TReportFile {
  public:
    static constexpr char Magic[8] = {'V', 'M', 'R', 'R', 'E', 'P', 'T', '\x1A'};
    static constexpr uint16_t Version = 1;
    // Larger files are refused before they are read.
    static constexpr uint64_t MaxFileSize = uint64_t(256) << 20;

    // Raises EFCreateError or EWriteError naming the file. A document that could not be loaded again is
    // refused before the file is touched; a write that fails removes the partial file.
    static void Save(const TReportDocument& document, const std::string& fileName);
    // Raises EFOpenError when the file cannot be opened, EReadError when it is not a sound report file.
    static TReportDocument Load(const std::string& fileName);

    static std::vector<uint8_t> Encode(const TReportDocument& document);
    // `fileName` names the source in error messages.
    static TReportDocument Decode(const std::vector<uint8_t>& bytes, const std::string& fileName);
};
