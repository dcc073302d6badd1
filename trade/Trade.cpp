#include "trade/Trade.h"

#include "runtime/NumberText.h"

#include <algorithm>

double EntryNumber(const std::string& text) {
    if (text.find(',') == std::string::npos || text.find('.') != std::string::npos)
        return TextToFloat(text);
    std::string pointed = text;
    std::replace(pointed.begin(), pointed.end(), ',', '.');
    return TextToFloat(pointed);
}

static double Value(TradeFields& fields, Field field) {
    return EntryNumber(fields.FieldGetText(field));
}

// Writes `value` into the field as the trader sees it and gives back what that text reads as.
static double Shown(TradeFields& fields, Field field, double value) {
    fields.FieldSetText(field, FloatToText(value));
    return FloatShown(value);
}

void Compute(TradeFields& fields) {
    // The order matters: later results read back the ten-digit texts written before them,
    // so their last digits are those the trader sees, not those of full precision.
    const double cost = Value(fields, Field::BuyCost);
    const double unitCost = cost / Value(fields, Field::BuyUnits);
    fields.FieldSetText(Field::BuyCost, FloatToText(cost));
    const double yield = Shown(fields, Field::Yield, Value(fields, Field::Yield));
    const double sellUnits = Value(fields, Field::SellUnits);

    const bool inAmounts = fields.YieldInAmounts();
    const double unitPrice = inAmounts ? unitCost + yield + 0.0 : unitCost * (yield / 100 + 1);
    const double shownPrice = Shown(fields, Field::UnitPrice, unitPrice);
    fields.FieldSetText(Field::SellPrice, FloatToText(unitPrice * sellUnits));
    const double unitYield = inAmounts ? yield : shownPrice - unitCost + 0.0;
    fields.FieldSetText(Field::UnitYield, FloatToText(unitYield));
    fields.FieldSetText(Field::YieldAmount, FloatToText(unitYield * sellUnits));
    fields.FieldSetText(Field::YieldPercent,
                        FloatToText(inAmounts ? (shownPrice / unitCost - 1) * 100 : yield));
}

void ClearEntry(TradeFields& fields) {
    for (int field = 0; field < EntryFieldCount; ++field)
        fields.FieldSetText(Field(field), Field(field) == Field::Ware ? "Ware" : "0");
}
