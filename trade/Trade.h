// The calculator's entry: computing an entry's results and resetting it.
#pragma once

#include "trade/TradeSheet.h"

// Reads the entry texts, writes the reformatted cost and yield and the five results.
void Compute(TradeFields& fields);

// "Ware" and nine "0"; the yield option, the list and the totals stay.
void ClearEntry(TradeFields& fields);
