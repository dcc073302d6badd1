// The calculator's entry: computing an entry's results and resetting it.
#pragma once

#include "trade/TradeSheet.h"

#include <string>

// A number as the entry reads it: the longest readable prefix, where a text with a comma and
// no point takes the comma as its decimal mark ("7,5" is 7.5).
double EntryNumber(const std::string& text);

// Reads the entry texts, writes the reformatted cost and yield and the five results.
void Compute(TradeFields& fields);

// "Ware" and nine "0"; the yield option, the list and the totals stay.
void ClearEntry(TradeFields& fields);
