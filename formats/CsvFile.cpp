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
#include <string_view>
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

constexpr size_t NoNumber = std::string::npos;

// Where the decimal mark of `text` is when all of it is one number: a sign, digits with at most
// one decimal mark, one of `marks`, and an exponent with digits. The text's size when it has
// no mark; NoNumber when it is no number.
size_t NumberMark(std::string_view text, std::string_view marks) {
    size_t i = 0, digits = 0, mark = text.size();
    const auto skipDigits = [&] {
        const size_t start = i;
        while (i < text.size() && IsDigit(text[i]))
            ++i;
        return i - start;
    };
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    digits += skipDigits();
    if (i < text.size() && std::find(marks.begin(), marks.end(), text[i]) != marks.end()) {
        mark = i++;
        digits += skipDigits();
    }
    if (digits == 0)
        return NoNumber;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        if (skipDigits() == 0)
            return NoNumber;
    }
    return i == text.size() ? mark : NoNumber;
}

// Makes the field at the end of `line`, from `start` on, what the file holds, in UTF-8: quoted,
// its quotes doubled, when it holds the separator, a quote or a line break. A number cell
// (`decimal` not 0) gets the dialect's decimal mark, where a decimal comma the trader typed
// counts as one; any other text stays as it is, but for control bytes other than tab, which
// become blanks as in every saved line.
void FieldFinish(std::string& line, size_t start, char separator, char decimal) {
    const std::string_view field = std::string_view(line).substr(start);
    if (const size_t mark = decimal ? NumberMark(field, ".,") : NoNumber; mark != NoNumber) {
        if (mark < field.size())
            line[start + mark] = decimal;
        return;
    }
    const auto special = [separator](char c) {
        return c == separator || c == '"' || c == '\r' || c == '\n';
    };
    const bool ascii = std::all_of(field.begin(), field.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (!ascii || std::any_of(field.begin(), field.end(), special)) {
        const std::string ansi(field);
        const std::string text = ascii ? ansi : PlatformAnsiToUtf8(ansi);
        line.resize(start);
        if (std::none_of(text.begin(), text.end(), special)) {
            line += text;
        } else {
            line += '"';
            for (char c : text) {
                if (c == '"')
                    line += '"';
                line += c;
            }
            line += '"';
        }
    }
    std::replace_if(
        line.begin() + std::ptrdiff_t(start), line.end(),
        [](char c) { return static_cast<unsigned char>(c) < 0x20 && c != '\t'; }, ' ');
}

// Lines for the file being saved, joined by CR LF and written out in pieces of some 64 KB:
// far fewer writes than one per line. Each line is ended with LineEnd.
class LinesOut {
  public:
    std::string line;
    void LineEnd() {
        line += "\r\n";
        if (line.size() >= 65536)
            Flush();
    }
    void Flush() {
        if (line.empty())
            return;
        line.resize(line.size() - 2); // the write ends the last line itself
        FileWriteLine(SavedFileNumber, line);
        line.clear();
    }
};

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
    records.reserve(lines.size());
    size_t fieldCount = 1;
    for (size_t next = 0; next < lines.size();) {
        Record record{int(next) + 1, {}};
        record.fields.reserve(fieldCount);
        record.fields.emplace_back();
        bool quoted = false, fieldStart = true;
        for (;;) {
            const Line& line = lines[next++];
            record.binary = record.binary || line.binary;
            const std::string& text = line.text;
            for (size_t i = 0; i < text.size();) {
                std::string& field = record.fields.back();
                if (quoted) {
                    const size_t quote = text.find('"', i);
                    if (quote == std::string::npos) { // the field goes on in the next line
                        field.append(text, i);
                        break;
                    }
                    field.append(text, i, quote - i);
                    i = quote + 1;
                    if (i < text.size() && text[i] == '"') // a doubled quote
                        field += text[i++];
                    else
                        quoted = false;
                } else if (fieldStart && text[i] == '"') {
                    quoted = true;
                    ++i;
                } else {
                    const size_t end = std::min(text.find(separator, i), text.size());
                    field.append(text, i, end - i);
                    i = end;
                    if (end < text.size()) {
                        record.fields.emplace_back();
                        ++i;
                    }
                }
                fieldStart = i > 0 && text[i - 1] == separator && !quoted;
            }
            if (!quoted)
                break;
            if (next == lines.size()) {
                record.quoteOpen = true;
                break;
            }
            record.fields.back() += ' ';
        }
        fieldCount = record.fields.size();
        records.push_back(std::move(record));
    }
    return records;
}

std::string_view Trimmed(std::string_view text) {
    const size_t start = text.find_first_not_of(" \t");
    return start == std::string_view::npos
               ? std::string_view()
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
        if (Lowered(std::string(Trimmed(titles[i]))) == wanted)
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

// Fields as plain texts: where an imported row is typed and computed, and its totals added
// up, so that the calculator's own entry stays as it is.
class TypedEntry : public TradeFields {
  public:
    std::string FieldGetText(Field field) override { return texts_[int(field)]; }
    void FieldSetText(Field field, const std::string& text) override { texts_[int(field)] = text; }
    bool YieldInAmounts() override { return inAmounts_; }
    void YieldModeSet(bool inAmounts) override { inAmounts_ = inAmounts; }
    // Typed into in place, and read without copies, many thousand times in a row.
    std::string& Text(Field field) { return texts_[int(field)]; }

  private:
    std::string texts_[int(Field::TotalSellPrice) + 1];
    bool inAmounts_ = true;
};

// The file's rows, read by the titles of its first line.
class CsvRows {
  public:
    CsvRows(std::vector<Record>& records, char separator) : records_(records) {
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
        int bad = title.line ? 1 : 0;
        rows.reserve(records_.size() - 1);
        if (bad)
            first = title;
        for (size_t r = 1; r < records_.size(); ++r) {
            if (Blank(records_[r]))
                continue;
            const Fault fault = title.line ? title : RowRead(records_[r]);
            if (fault.line && !bad++)
                first = fault;
            else if (!bad)
                rows.emplace_back(RowText(), entry_.YieldInAmounts());
            // Read once: its memory serves the rows that follow.
            std::vector<std::string>().swap(records_[r].fields);
        }
        return bad;
    }

  private:
    // The entry as a row, as EntryRowText gives it.
    std::string RowText() {
        size_t size = ColumnCount;
        for (const Column& column : Columns)
            size += entry_.Text(column.field).size();
        std::string rowText;
        rowText.reserve(size);
        for (const Column& column : Columns) {
            if (&column != Columns)
                rowText += '\n';
            rowText += entry_.Text(column.field);
        }
        return rowText;
    }

    static bool Blank(const Record& record) {
        return !record.binary && !record.quoteOpen &&
               std::all_of(record.fields.begin(), record.fields.end(),
                           [](const std::string& field) { return field.empty(); });
    }

    // The decimal mark of the numbers read: the dialect's (a comma after semicolons, else a
    // point), unless only the other one shows.
    char DecimalMark(char separator) const {
        bool comma = false, point = false;
        for (size_t r = 1; r < records_.size() && !(comma && point); ++r)
            for (int column = 0; column < ColumnCount; ++column)
                if (ColumnRead(column) && Columns[column].kind != ColumnKind::Text &&
                    place_[column] >= 0 && size_t(place_[column]) < records_[r].fields.size()) {
                    const std::string& cell = records_[r].fields[size_t(place_[column])];
                    for (char c : cell) {
                        comma = comma || c == ',';
                        point = point || c == '.';
                    }
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
            const std::string mode(Trimmed(fields[size_t(modePlace_)]));
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
            const std::string& field = fields[size_t(place_[column])];
            std::string& cell = entry_.Text(yield ? Field::Yield : c.field);
            if (c.kind == ColumnKind::Text)
                cell = field;
            else
                cell.assign(Trimmed(field));
            if (c.kind != ColumnKind::Text) {
                const size_t mark = NumberMark(cell, std::string_view(&mark_, 1));
                if (mark == NoNumber)
                    return {record.line, c.title, Quoted(cell) + " is not a number"};
                if (mark < cell.size())
                    cell[mark] = '.';
                // Only an exponent or some 309 digits go past a double's range.
                const bool large = cell.size() > 300 ||
                                   std::any_of(cell.begin(), cell.end(),
                                               [](char ch) { return ch == 'e' || ch == 'E'; });
                if (large && !std::isfinite(TextToFloat(cell)))
                    return {record.line, c.title, Quoted(cell) + " is out of range"};
            }
        }
        entry_.YieldModeSet(inAmounts);
        Compute(entry_);
        return {};
    }

    std::vector<Record>& records_; // each line's fields go once it is read
    int place_[ColumnCount];       // the field of each column in the file; -1 when it has none
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
        LinesOut out;
        out.line = ByteOrderMark;
        for (const Column& column : Columns) {
            const size_t start = out.line.size();
            out.line += column.title;
            FieldFinish(out.line, start, separator, 0);
            out.line += separator;
        }
        out.line += ModeTitle;
        out.LineEnd();
        const int rows = sheet.table.RowCount();
        for (int row = 0; row < rows; ++row) {
            for (int column = 0; column < ColumnCount; ++column) {
                const bool text = Columns[column].kind == ColumnKind::Text;
                const size_t start = out.line.size();
                sheet.table.CellAppend(row, column, out.line);
                FieldFinish(out.line, start, separator, text ? '\0' : decimal);
                out.line += separator;
            }
            out.line += RowInAmounts(sheet, row) ? "amount" : "percent";
            out.LineEnd();
        }
        out.Flush();
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
        std::vector<Record> records = RecordsSplit(lines, separator);
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
    RowsAppend(sheet, rows);
}
