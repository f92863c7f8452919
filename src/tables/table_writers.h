#pragma once

// A table's three written forms. Text: report style, numbers right-aligned under a header row of
// short titles and one of units. CSV: the title block as leading "# key,value,unit" rows, then
// each section as "# section,<title>," and a row of titles, a row of units and its rows, numbers
// in full precision with a decimal point (they read back to the very values). JSON: the same in
// full precision, a missing number as null. No locale touches any of them.

#include "tables/table.h"

#include <string>

namespace hygrovane::tables {

std::string TableText(const Table& table, ReportDigits digits = {});
std::string TableCsv(const Table& table);
std::string TableJson(const Table& table);

// Characters a text takes on a terminal: UTF-8 continuation bytes take no column.
std::size_t Columns(std::string_view text);
// The text filled with blanks to `width` columns, on the left when `right`.
std::string Padded(std::string_view text, std::size_t width, bool right = false);

} // namespace hygrovane::tables
