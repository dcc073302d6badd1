// CSV files for spreadsheets: the list's rows with their yield modes, in one of two dialects
// (comma separated with a decimal point, or semicolon separated with a decimal comma).
#pragma once

#include "formats/FilePrompt.h"
#include "trade/TradeSheet.h"

// Asks for a name and a dialect (the file type) and writes the list there: UTF-8 with a
// byte-order mark, the column titles and "Yield mode", then one line per row, no totals. The
// previous file survives any failure.
void ExportCsv(TradeSheet& sheet, FilePrompt& prompt);

// Asks for a file in either dialect and replaces the list with its rows, found by their titles
// and each computed as if its inputs were typed and added; the totals are those of the new
// rows. The entry fields are not touched. When a line cannot be read nothing changes and one
// message names the first such line.
void ImportCsv(TradeSheet& sheet, FilePrompt& prompt);
