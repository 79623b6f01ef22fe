// Tables of intensities and annual maxima come from files and spreadsheets
// anyone may have edited.

#include "annual_maxima_reader.h"
#include "fuzz_check.h"
#include "intensity_table_reader.h"
#include "table_text.h"

#include <algorithm>
#include <cmath>

using namespace velmora;

namespace {

bool Positive(double x) {
    return std::isfinite(x) && x > 0;
}

bool AllDifferent(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return std::adjacent_find(values.begin(), values.end()) == values.end();
}

// A table that was read is one a formula can be fitted to.
void CheckIntensityTable(const QString& text) {
    const Result<TIntensityTable> table =
        ReadIntensityTable(text, IntensityUnit::MillimetresPerHour, 167);
    FUZZ_CHECK(table.ok() || !table.message().isEmpty());
    if (!table)
        return;
    FUZZ_CHECK(table->durations.size() >= 3 && !table->periods.empty());
    FUZZ_CHECK(AllDifferent(table->durations) && AllDifferent(table->periods));
    FUZZ_CHECK(std::all_of(table->durations.begin(), table->durations.end(), Positive));
    FUZZ_CHECK(std::all_of(table->periods.begin(), table->periods.end(), Positive));
    FUZZ_CHECK(table->intensities.size() == table->durations.size());
    for (const std::vector<double>& row : table->intensities) {
        FUZZ_CHECK(row.size() == table->periods.size());
        FUZZ_CHECK(std::all_of(row.begin(), row.end(), Positive));
    }
}

void CheckAnnualMaxima(const QString& text) {
    const Result<TAnnualMaxima> records = ReadAnnualMaxima(text);
    FUZZ_CHECK(records.ok() || !records.message().isEmpty());
    if (!records)
        return;
    FUZZ_CHECK(records->durations.size() >= 3 && AllDifferent(records->durations));
    FUZZ_CHECK(std::all_of(records->durations.begin(), records->durations.end(), Positive));
    FUZZ_CHECK(records->depths.size() == records->years.size());
    for (const std::vector<std::optional<double>>& year : records->depths) {
        FUZZ_CHECK(year.size() == records->durations.size());
        for (const std::optional<double>& depth : year)
            FUZZ_CHECK(!depth || Positive(*depth));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = DecodeTableFile(fuzz::Bytes(data, size));
    CheckIntensityTable(text);
    CheckAnnualMaxima(text);
    return 0;
}
