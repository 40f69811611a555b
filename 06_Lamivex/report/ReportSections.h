// Pieces shared by the report of a stack and the report of a glazing unit.
#pragma once

#include <string>
#include <vector>

#include "ReportData.h"
#include "ReportFlow.h"
#include "ReportTables.h"

namespace lamivex::report {

// A label, or in a language without labels a text of its symbols.
std::string Or(const std::string& label, const std::string& fallback);

// The title of the column of turned layers, drawn in its cell: 1, a double arrow, 2.
void DrawTurnedTitle(ReportCanvas& canvas, double x, double width, double baseline);

// Keeps the blocks from `first` to the last one together on a page, where they fit on one,
// and free of the blocks that will follow.
void KeepTogether(std::vector<Block>& blocks, size_t first);

// The columns of a colour table after `leading` columns of the caller: the light, L*, a*,
// b* and the swatch.
std::vector<TableColumn> ColourColumns(const ReportTexts& texts,
                                       std::vector<TableColumn> leading = {});

// The rows of the transmitted light and of the light reflected by each face, each with its
// swatch, after the caller's leading cells (given for the first row, empty in the others),
// in bold for the rows of the whole glazing.
std::vector<TableRow> ColourRows(const ReportTexts& texts, const CieLab& transmitted,
                                 const CieLab& reflected1, const CieLab& reflected2,
                                 const std::vector<std::string>& leading = {}, bool bold = false);

}  // namespace lamivex::report
