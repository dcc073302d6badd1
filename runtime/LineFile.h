// Numbered text files read and written line by line through a 4096-byte buffer.
//
// Lines are written with "\r\n" and read with any of "\r\n", "\r" and "\n". A NUL byte
// ends a line too and is dropped. Lines have no length limit.
//
// A number is any of 0 .. ObjectNumberMax, or AutoNumber, in which case the open
// operation returns the number to use afterwards. Opening a number that is already open
// closes the old file first (its buffered data is written out). Operations on a number
// that is not open do nothing and return 0 or the empty text.
//
// A file remembers a write that failed (disk full, handle gone ...); FileClose then
// returns false. For a save that must never destroy the old file, write a temporary file
// next to the target, check FileSync and FileClose, then FileReplace it onto the target;
// on failure FileDelete the temporary file.
#pragma once

#include <string>

// Creates the table of open files; harmless when called again.
void FilesInit();

// Each returns 0 on failure (the number stays free); on success the new number for
// AutoNumber, else a nonzero value.
int FileCreate(int number, const char* path);        // new or emptied file
int FileCreateNew(int number, const char* path);     // only a file that does not exist yet
int FileOpenRead(int number, const char* path);      // existing file, shared for reading
int FileOpenReadWrite(int number, const char* path); // created when missing
int FileOpenExclusive(int number, const char* path); // existing file, nobody else may open it

// The next line without its line end; the empty text at the end of the file.
std::string FileReadLine(int number);
// The same into `line`; false when the line held a byte that is no text: below 0x20 and none
// of tab, CR and LF (a NUL, which ends the line, counts too).
bool FileReadTextLine(int number, std::string& line);
// Writes the text as it is, then "\r\n"; returns the bytes handed on (text length + 2).
int FileWriteLine(int number, const char* text);
inline int FileWriteLine(int number, const std::string& text) {
    return FileWriteLine(number, text.c_str());
}
// 1 when no byte is left to read, else 0.
int FileAtEnd(int number);

// Writes out the buffer and asks the system to put the file's data on the disk. False
// when any write of this file has failed so far.
bool FileSync(int number);
// Writes out the buffer and closes the file. True when every byte written to it reached
// the system and the close succeeded; false for a number that is not open.
bool FileClose(int number);
// Closes every open file (at program end).
void FileCloseAll();

// Puts the file `from` in the place of `to` in one step, replacing `to` if it exists.
bool FileReplace(const char* from, const char* to);
bool FileDelete(const char* path);
