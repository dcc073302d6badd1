#include "formats/CsvFile.h"

#include "formats/SavedFile.h"
#include "runtime/LineFile.h"
#include "runtime/NumberText.h"
#include "runtime/Platform.h"
#include "runtime/Text.h"
#include "trade/Columns.h"
#include "trade/Trade.h"
#include "trade/TradeList.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

const char ExportPattern[] = "CSV, comma separated (*.csv)|*.csv|"
                             "CSV, semicolon separated, decimal comma (*.csv)|*.csv";
const char ImportPattern[] = "CSV (*.csv)|*.csv";
const char ByteOrderMark[] = "\xEF\xBB\xBF";
const char ModeTitle[] = "Yield mode";

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsAscii(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Whether all of `text` is one number: a sign, digits with at most one decimal mark `mark`,
// and an exponent with digits.
bool IsNumber(const std::string& text, char mark) {
    size_t i = 0, digits = 0;
    const auto skipDigits = [&] {
        const size_t start = i;
        while (i < text.size() && IsDigit(text[i]))
            ++i;
        return i - start;
    };
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    digits += skipDigits();
    if (i < text.size() && text[i] == mark) {
        ++i;
        digits += skipDigits();
    }
    if (digits == 0)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        if (skipDigits() == 0)
            return false;
    }
    return i == text.size();
}

// A number cell with the dialect's decimal mark; a decimal comma the trader typed counts as
// one. Any other text stays as it is.
std::string NumberForDialect(std::string cell, char decimal) {
    const char mark =
        cell.find('.') == std::string::npos && cell.find(',') != std::string::npos ? ',' : '.';
    if (IsNumber(cell, mark))
        std::replace(cell.begin(), cell.end(), mark, decimal);
    return cell;
}

// A field as it goes into a line: quoted, quotes doubled, when it holds the separator, a quote
// or a line break.
void FieldAppend(std::string& line, const std::string& field, char separator) {
    const char special[] = {separator, '"', '\r', '\n', '\0'};
    if (field.find_first_of(special) == std::string::npos) {
        line += field;
        return;
    }
    line += '"';
    for (char c : field) {
        if (c == '"')
            line += '"';
        line += c;
    }
    line += '"';
}

struct Line {
    std::string text;
    bool binary; // holds a control byte other than tab
};

bool LinesRead(const std::string& path, std::vector<Line>& lines) {
    if (!FileOpenRead(SavedFileNumber, path.c_str()))
        return false;
    while (!FileAtEnd(SavedFileNumber)) {
        Line line{std::string(), false};
        line.binary = !FileReadTextLine(SavedFileNumber, line.text);
        lines.push_back(std::move(line));
    }
    FileClose(SavedFileNumber);
    return true;
}

// UTF-8, with a byte-order mark or without, becomes the ANSI code page of the list's texts; a
// file that is not valid UTF-8 already is in that code page.
void LinesToAnsi(std::vector<Line>& lines) {
    if (!lines.empty() && lines[0].text.compare(0, 3, ByteOrderMark) == 0)
        lines[0].text.erase(0, 3);
    std::vector<std::pair<size_t, std::string>> converted;
    for (size_t i = 0; i < lines.size(); ++i)
        if (!IsAscii(lines[i].text)) {
            converted.emplace_back(i, std::string());
            if (!PlatformUtf8ToAnsi(lines[i].text, converted.back().second))
                return;
        }
    for (auto& line : converted)
        lines[line.first].text = std::move(line.second);
}

// The fields of one line, or of several when a quoted field goes on over line ends.
struct Record {
    int line; // where it starts, from 1
    std::vector<std::string> fields;
    bool binary = false;    // a line of it holds a control byte other than tab
    bool quoteOpen = false; // a quote never closed before the file's end
};

// Quotes open a field only at its start; a line break inside quotes becomes a blank.
std::vector<Record> RecordsSplit(const std::vector<Line>& lines, char separator) {
    std::vector<Record> records;
    for (size_t next = 0; next < lines.size();) {
        Record record{int(next) + 1, {std::string()}};
        bool quoted = false, fieldStart = true;
        for (;;) {
            const Line& line = lines[next++];
            record.binary = record.binary || line.binary;
            const std::string& text = line.text;
            for (size_t i = 0; i < text.size(); ++i) {
                const char c = text[i];
                if (quoted && c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                    record.fields.back() += '"';
                    ++i;
                } else if (c == '"' && (quoted || fieldStart)) {
                    quoted = !quoted;
                } else if (c == separator && !quoted) {
                    record.fields.emplace_back();
                    fieldStart = true;
                    continue;
                } else {
                    record.fields.back() += c;
                }
                fieldStart = false;
            }
            if (!quoted)
                break;
            if (next == lines.size()) {
                record.quoteOpen = true;
                break;
            }
            record.fields.back() += ' ';
        }
        records.push_back(std::move(record));
    }
    return records;
}

std::string Trimmed(const std::string& text) {
    const size_t start = text.find_first_not_of(" \t");
    return start == std::string::npos
               ? std::string()
               : text.substr(start, text.find_last_not_of(" \t") - start + 1);
}

std::string Lowered(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return text;
}

// The field of the title line that holds `title`, whatever its case; -1 when none does.
int TitleFind(const std::vector<std::string>& titles, const char* title) {
    const std::string wanted = Lowered(title);
    for (size_t i = 0; i < titles.size(); ++i)
        if (Lowered(Trimmed(titles[i])) == wanted)
            return int(i);
    return -1;
}

// The columns whose cells an import reads: those a trader types and the two that keep the
// yield as typed.
bool ColumnRead(int column) {
    return FieldTyped(Columns[column].field) || column == YieldColumn(true) ||
           column == YieldColumn(false);
}

// Why a line cannot be read; `line` 0 when it can.
struct Fault {
    int line = 0;
    const char* column = nullptr;
    std::string what;
};

std::string FaultMessage(const Fault& fault, int bad) {
    return "Line " + NumberToText(fault.line) +
           (fault.column ? std::string(", ") + fault.column : "") + ": " + fault.what + " (" +
           NumberToText(bad) + (bad == 1 ? " line" : " lines") + " can't be read).";
}

std::string Quoted(const std::string& cell) {
    return "'" + (cell.size() > 40 ? cell.substr(0, 40) + "..." : cell) + "'";
}

// Fields as plain texts: where an imported row is typed and computed, so that the calculator's
// own entry stays as it is.
class TypedEntry : public TradeFields {
  public:
    std::string FieldGetText(Field field) override { return texts_[int(field)]; }
    void FieldSetText(Field field, const std::string& text) override { texts_[int(field)] = text; }
    bool YieldInAmounts() override { return inAmounts_; }
    void YieldModeSet(bool inAmounts) override { inAmounts_ = inAmounts; }

  private:
    std::string texts_[int(Field::TotalSellPrice) + 1];
    bool inAmounts_ = true;
};

// The file's rows, read by the titles of its first line.
class CsvRows {
  public:
    CsvRows(const std::vector<Record>& records, char separator) : records_(records) {
        const std::vector<std::string>& titles = records[0].fields;
        for (int column = 0; column < ColumnCount; ++column)
            place_[column] = TitleFind(titles, Columns[column].title);
        modePlace_ = TitleFind(titles, ModeTitle);
        mark_ = DecimalMark(separator);
    }

    // Types and computes the rows one by one and adds them to `rows` with their modes, while
    // all goes well; the number of lines that cannot be read, and the first one's fault. A
    // title line without a needed column makes every line one. Blank lines do not count.
    int Read(std::vector<std::pair<std::string, bool>>& rows, Fault& first) {
        const Fault title = TitleFault();
        int bad = 0;
        if (title.line && !bad++)
            first = title;
        for (size_t r = 1; r < records_.size(); ++r) {
            if (Blank(records_[r]))
                continue;
            const Fault fault = title.line ? title : RowRead(records_[r]);
            if (fault.line && !bad++)
                first = fault;
            else if (!bad)
                rows.emplace_back(EntryRowText(entry_), entry_.YieldInAmounts());
        }
        return bad;
    }

  private:
    static bool Blank(const Record& record) {
        return !record.binary && !record.quoteOpen &&
               std::all_of(record.fields.begin(), record.fields.end(),
                           [](const std::string& field) { return field.empty(); });
    }

    // The decimal mark of the numbers read: the dialect's (a comma after semicolons, else a
    // point), unless only the other one shows.
    char DecimalMark(char separator) const {
        bool comma = false, point = false;
        for (size_t r = 1; r < records_.size(); ++r)
            for (int column = 0; column < ColumnCount; ++column)
                if (ColumnRead(column) && Columns[column].kind != ColumnKind::Text &&
                    place_[column] >= 0 && size_t(place_[column]) < records_[r].fields.size()) {
                    const std::string& cell = records_[r].fields[size_t(place_[column])];
                    comma = comma || cell.find(',') != std::string::npos;
                    point = point || cell.find('.') != std::string::npos;
                }
        return separator == ';' ? (point && !comma ? '.' : ',') : (comma && !point ? ',' : '.');
    }

    // No field may be longer than an entry or list file takes, so what an import gives can be
    // saved and opened again; a line may hold several such fields.
    static Fault LineFault(const Record& record) {
        if (record.binary)
            return {record.line, nullptr, "binary data, not text"};
        if (record.quoteOpen)
            return {record.line, nullptr, "a quote is not closed"};
        for (const std::string& field : record.fields)
            if (field.size() > SavedLineMax)
                return {record.line, nullptr,
                        "a field longer than " + NumberToText(int(SavedLineMax)) + " characters"};
        return {};
    }

    Fault TitleFault() const {
        const Fault fault = LineFault(records_[0]);
        if (fault.line)
            return fault;
        for (int column = 0; column < ColumnCount; ++column)
            if (FieldTyped(Columns[column].field) && place_[column] < 0)
                return {1, Columns[column].title, "no such column"};
        return {};
    }

    // Types the record's inputs into the entry and computes them.
    Fault RowRead(const Record& record) {
        const Fault fault = LineFault(record);
        if (fault.line)
            return fault;
        const std::vector<std::string>& fields = record.fields;
        const size_t titles = records_[0].fields.size();
        if (fields.size() != titles)
            return {record.line, nullptr,
                    NumberToText(int(fields.size())) + " fields where the title line has " +
                        NumberToText(int(titles))};
        bool inAmounts = true; // also without a mode column
        if (modePlace_ >= 0) {
            const std::string mode = Trimmed(fields[size_t(modePlace_)]);
            if (Lowered(mode) == "percent")
                inAmounts = false;
            else if (!mode.empty() && Lowered(mode) != "amount")
                return {record.line, ModeTitle, Quoted(mode) + " is neither amount nor percent"};
        }
        for (int column = 0; column < ColumnCount; ++column) {
            const Column& c = Columns[column];
            const bool yield = column == YieldColumn(inAmounts);
            if (!FieldTyped(c.field) && !yield)
                continue;
            if (place_[column] < 0)
                return {record.line, c.title, "no such column"};
            std::string cell = fields[size_t(place_[column])];
            if (c.kind != ColumnKind::Text) {
                cell = Trimmed(cell);
                if (!IsNumber(cell, mark_))
                    return {record.line, c.title, Quoted(cell) + " is not a number"};
                std::replace(cell.begin(), cell.end(), mark_, '.');
                if (!std::isfinite(TextToFloat(cell)))
                    return {record.line, c.title, Quoted(cell) + " is out of range"};
            }
            entry_.FieldSetText(yield ? Field::Yield : c.field, cell);
        }
        entry_.YieldModeSet(inAmounts);
        Compute(entry_);
        return {};
    }

    const std::vector<Record>& records_;
    int place_[ColumnCount]; // the field of each column in the file; -1 when it has none
    int modePlace_;
    char mark_;
    TypedEntry entry_;
};

} // namespace

void ExportCsv(TradeSheet& sheet, FilePrompt& prompt) {
    int type = 0;
    const std::string chosen = prompt.SaveNameAsk(
        "Export CSV", CurrentDirectory() + "Saved-Lists\\New.csv", ExportPattern, &type);
    if (chosen.empty())
        return;
    const char separator = type == 1 ? ';' : ',', decimal = type == 1 ? ',' : '.';
    const bool saved = SavedFileWrite(SavedFileName(chosen, ".csv"), [&] {
        std::string line = ByteOrderMark;
        for (const Column& column : Columns) {
            FieldAppend(line, column.title, separator);
            line += separator;
        }
        FileWriteLine(SavedFileNumber, line + ModeTitle);
        const int rows = sheet.table.RowCount();
        for (int row = 0; row < rows; ++row) {
            line.clear();
            for (int column = 0; column < ColumnCount; ++column) {
                const std::string cell = sheet.table.CellGetText(row, column);
                FieldAppend(line,
                            Columns[column].kind == ColumnKind::Text
                                ? cell
                                : NumberForDialect(cell, decimal),
                            separator);
                line += separator;
            }
            line += RowInAmounts(sheet, row) ? "amount" : "percent";
            FileWriteLine(SavedFileNumber, IsAscii(line) ? line : PlatformAnsiToUtf8(line));
        }
    });
    if (!saved)
        prompt.MessageShow("ERROR", "Can't save this file!");
}

void ImportCsv(TradeSheet& sheet, FilePrompt& prompt) {
    const std::string chosen =
        prompt.OpenNameAsk("Import CSV", CurrentDirectory() + "Saved-Lists\\", ImportPattern);
    if (chosen.empty())
        return;
    std::vector<Line> lines;
    if (!LinesRead(chosen, lines)) {
        prompt.MessageShow("ERROR", "Can't load this file!");
        return;
    }
    LinesToAnsi(lines);
    std::vector<std::pair<std::string, bool>> rows;
    if (!lines.empty()) {
        // The dialect shows in the title line: a comma between the titles, or a semicolon.
        const std::string& titles = lines[0].text;
        const char separator = std::count(titles.begin(), titles.end(), ';') >
                                       std::count(titles.begin(), titles.end(), ',')
                                   ? ';'
                                   : ',';
        const std::vector<Record> records = RecordsSplit(lines, separator);
        lines.clear();
        Fault first;
        const int bad = CsvRows(records, separator).Read(rows, first);
        if (bad > 0) {
            prompt.MessageShow("ERROR", FaultMessage(first, bad).c_str());
            return;
        }
    }
    sheet.table.RowsRemoveAll();
    sheet.modes.clear();
    TotalsReset(sheet.fields);
    for (const auto& row : rows)
        RowAppend(sheet, row.first, row.second);
}
