// The trade list under the entry: rows of computed entries and their eight running totals.
#pragma once

#include "trade/Columns.h"
#include "trade/TradeSheet.h"

#include <string>
#include <utility>
#include <vector>

// Adds the entry as a new last row, records its yield mode and adds it to the totals.
void TransferEntry(TradeSheet& sheet);

// Puts the selected row back into the entry fields; nothing without a selection.
void LoadRowIntoEntry(TradeSheet& sheet);

// Takes the selected row out of the totals and removes it with its mode.
void DeleteRow(TradeSheet& sheet);

// Resets the entry, removes every row and mode and sets the totals back to "0".
void ClearList(TradeSheet& sheet);

// The entry's texts as a row: the column cells joined by line feeds.
std::string EntryRowText(TradeFields& fields);

// Adds a row at the end with its mode and adds it to the totals, as the "->" button does.
// Nothing counts a row the table refuses.
void RowAppend(TradeSheet& sheet, const std::string& rowText, bool inAmounts);

// Sets every total to "0", as at start-up.
void TotalsReset(TradeFields& fields);

// A total's text: a whole number for the unit columns, ten decimals for the others.
std::string TotalText(const Column& column, double value);

// Adds rows at the end with their modes, as RowAppend does one by one, with the same totals:
// each still goes through the text its field would show after every row, but in memory, and
// the fields are written once at the end.
void RowsAppend(TradeSheet& sheet, const std::vector<std::pair<std::string, bool>>& rows);
