#pragma once

#include "swmm_model_entries.h"
#include "swmm_model_options.h"
#include "swmm_model_scan.h"

#include <QByteArrayView>

#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

// One pass over a model: what it holds under the names of the storms to be
// written, and what the editor needs to know to place them.
namespace velmora::swmm {

// Storms by their names, compared as SWMM compares names: letters without
// case. It holds views of the names it is given, which must outlive it.
class NameIndex {
public:
    // False when a name SWMM takes for the same is there already.
    bool add(QByteArrayView name, std::size_t storm);
    std::optional<std::size_t> find(QByteArrayView name) const;

private:
    struct FoldedHash {
        std::size_t operator()(std::string_view name) const;
    };
    struct FoldedEqual {
        bool operator()(std::string_view a, std::string_view b) const;
    };
    std::unordered_map<std::string_view, std::size_t, FoldedHash, FoldedEqual> storms_;
};

// What the model holds under one storm's names.
struct FoundNames {
    std::vector<Line> series;
    std::vector<Line> gages;
    std::optional<Line> foreignSeries; // a series line not of our form
    std::optional<Line> foreignGage;   // a gage that does not read our series
    std::optional<Line> otherUse;      // a curve or pattern of the series' name
};

struct ModelScan {
    std::vector<FoundNames> storms; // in the order of the names
    std::optional<Line> unreadableGage;
    // The last line that is not blank of each section: new entries follow it.
    std::optional<Line> endOfSeries;
    std::optional<Line> endOfGages;
    std::vector<Token> subcatchmentGages; // the gage column of each subcatchment
    OptionsReader options;
    bool knownSection = false; // a header of a section SWMM knows
    bool endsBlank = false;    // the last line is blank
};

// Reads `file` once, the lines of the sections the editor uses token by
// token and the others only for their ends; the subcatchments only when
// `wantSubcatchments`.
ModelScan ScanModel(QByteArrayView file, const std::vector<StormNames>& names,
                    bool wantSubcatchments);

} // namespace velmora::swmm
