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

void Compute(TradeFields& fields) {
    // The order matters: later results read back the ten-digit texts written before them,
    // so their last digits are those the trader sees, not those of full precision.
    const double unitCost = Value(fields, Field::BuyCost) / Value(fields, Field::BuyUnits);
    fields.FieldSetText(Field::BuyCost, FloatToText(Value(fields, Field::BuyCost)));
    fields.FieldSetText(Field::Yield, FloatToText(Value(fields, Field::Yield)));
    const double sellUnits = Value(fields, Field::SellUnits);

    if (fields.YieldInAmounts()) {
        const double unitPrice = unitCost + Value(fields, Field::Yield) + 0.0;
        fields.FieldSetText(Field::UnitPrice, FloatToText(unitPrice));
        fields.FieldSetText(Field::SellPrice, FloatToText(unitPrice * sellUnits));
        fields.FieldSetText(Field::UnitYield, FloatToText(Value(fields, Field::Yield)));
        fields.FieldSetText(Field::YieldAmount,
                            FloatToText(Value(fields, Field::Yield) * sellUnits));
        const double shownPrice = Value(fields, Field::UnitPrice);
        fields.FieldSetText(Field::YieldPercent, FloatToText((shownPrice / unitCost - 1) * 100));
    } else {
        fields.FieldSetText(Field::UnitPrice,
                            FloatToText(unitCost * (Value(fields, Field::Yield) / 100 + 1)));
        fields.FieldSetText(
            Field::SellPrice,
            FloatToText(unitCost * (Value(fields, Field::Yield) / 100 + 1) * sellUnits));
        const double unitYield = Value(fields, Field::UnitPrice) - unitCost + 0.0;
        fields.FieldSetText(Field::UnitYield, FloatToText(unitYield));
        fields.FieldSetText(Field::YieldAmount, FloatToText(unitYield * sellUnits));
        fields.FieldSetText(Field::YieldPercent, FloatToText(Value(fields, Field::Yield)));
    }
}

void ClearEntry(TradeFields& fields) {
    for (int field = 0; field < EntryFieldCount; ++field)
        fields.FieldSetText(Field(field), Field(field) == Field::Ware ? "Ware" : "0");
}
