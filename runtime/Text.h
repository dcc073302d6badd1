// Small text helpers. Absent texts (nullptr) count as the empty text.
#pragma once

#include <string>

// The whole working directory, however long, ending with one separator ("\" on Windows,
// so the root of a drive is "C:\"); empty when the system cannot tell.
std::string CurrentDirectory();

// The file name at the end of a path: after the last "/" or "\" (or after one leading
// double quote when there is none), up to a double quote or the end.
std::string FileNamePart(const char* path);
inline std::string FileNamePart(const std::string& path) {
    return FileNamePart(path.c_str());
}

// Position counted from 1 of the first occurrence of `find` in `text` at or after `start`
// (below 1 counts as 1), comparing bytes with case; 0 when there is none or either
// text is empty.
int TextFind(const char* text, const char* find, int start);

bool TextEqual(const char* a, const char* b);

// red + green × 256 + blue × 65536, the layout of a Win32 colour. Components are not
// masked; callers keep them in 0 .. 255.
int ColorRgb(int red, int green, int blue);
