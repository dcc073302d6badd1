// Helpers shared by the entry and list file commands.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

// The file number the entry and list commands read and write through.
constexpr int SavedFileNumber = 1;

// No field is ever typed longer; a longer line means the file is not one of ours.
constexpr size_t SavedLineMax = 65535;

// `name` with `extension` appended unless its file-name part already contains the extension
// anywhere (compared with case: "a.KVE" gets ".kve", "a.kve.bak" stays).
std::string SavedFileName(const std::string& name, const char* extension);

// Writes a file without ever destroying the one it replaces: the lines go to a temporary
// file beside `path` under SavedFileNumber, and only when all of them reached the disk does
// that file take the place of `path`. On failure the temporary file is removed, `path` is
// as it was, and the result is false.
bool SavedFileWrite(const std::string& path, const std::function<void()>& writeLines);

// Writes `text` as a line of SavedFileNumber; a control character other than tab becomes a
// blank, so that every file written opens again.
void SavedLineWrite(const std::string& text);

// Reads the next line of SavedFileNumber into `line`; false when the line is not text (a
// control byte other than tab) or longer than SavedLineMax. The files hold texts for the
// calculator's fields, which must never be handed binary data.
bool SavedLineRead(std::string& line);

// When `text` (all lines so far were), reads the rest of SavedFileNumber; then closes it. True
// when every line of the file was text.
bool SavedReadFinish(bool text);
