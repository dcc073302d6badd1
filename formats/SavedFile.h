// Helpers shared by the entry and list file commands.
#pragma once

#include <functional>
#include <string>

// The file number the entry and list commands read and write through.
constexpr int SavedFileNumber = 1;

// `name` with `extension` appended unless its file-name part already contains the extension
// anywhere (compared with case: "a.KVE" gets ".kve", "a.kve.bak" stays).
std::string SavedFileName(const std::string& name, const char* extension);

// Writes a file without ever destroying the one it replaces: the lines go to a temporary
// file beside `path` under SavedFileNumber, and only when all of them reached the disk does
// that file take the place of `path`. On failure the temporary file is removed, `path` is
// as it was, and the result is false.
bool SavedFileWrite(const std::string& path, const std::function<void()>& writeLines);
