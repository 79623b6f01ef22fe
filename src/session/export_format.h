#pragma once

namespace velmora {

// The files made from the table as the grid shows it.
enum class ExportFormat {
    Csv,  // the table with the user's decimal separator, code page 936
    Swmm, // the SWMM rainfall file: hours and minutes, mm/h, "." always
};

} // namespace velmora
