#pragma once

namespace velmora {

// The files made from the table as the grid shows it.
enum class ExportFormat {
    Csv,       // the table with the user's decimal separator, code page 936
    Swmm,      // the SWMM rainfall file: hours and minutes, mm/h, "." always
    WordTable, // the table as a Word document (.docx)
    Report,    // the calculation report (.docx), which needs the chart's picture
    Workbook,  // the Excel workbook with its chart (.xlsx), "." always
};

// The extension a file of the format is given: ".csv", ".dat", ".docx".
constexpr const char* ExportExtension(ExportFormat format) {
    switch (format) {
    case ExportFormat::Csv:
        return ".csv";
    case ExportFormat::Swmm:
        return ".dat";
    case ExportFormat::WordTable:
    case ExportFormat::Report:
        return ".docx";
    case ExportFormat::Workbook:
        return ".xlsx";
    }
    return "";
}

// Office documents are put in place as a whole; when that fails the user is
// told that the target may be open in another program.
constexpr bool IsOfficeDocument(ExportFormat format) {
    return format == ExportFormat::WordTable || format == ExportFormat::Report ||
           format == ExportFormat::Workbook;
}

} // namespace velmora
