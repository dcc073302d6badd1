// Entry files (".kve"): the ten entry texts and the yield mode, eleven lines.
#pragma once

#include "formats/FilePrompt.h"
#include "trade/TradeSheet.h"

// Asks for a name and writes the entry there; the previous file survives any failure.
void SaveEntry(TradeFields& fields, FilePrompt& prompt);

// Asks for a file and shows its texts in the entry fields; nothing is recomputed.
void OpenEntry(TradeFields& fields, FilePrompt& prompt);
