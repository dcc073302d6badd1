// List files (".kvl"): the row count, ten lines per row (nine cells and the yield mode),
// then the eight totals.
#pragma once

#include "formats/FilePrompt.h"
#include "trade/TradeSheet.h"

// Asks for a name and writes the list there; the previous file survives any failure.
void SaveList(TradeSheet& sheet, FilePrompt& prompt);

// Asks for a file and replaces the list, its modes and the totals with what it holds.
// The entry fields are not touched and the totals are shown as stored.
void OpenList(TradeSheet& sheet, FilePrompt& prompt);
