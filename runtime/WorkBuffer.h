// The string work buffer and string variables.
//
// The work buffer is one growable block in the string heap where texts are built from
// pieces without a heap allocation per piece: a caller notes the position, lets producers
// and TextConcat append one after the other, copies the result out and gives the room back.
//
// The block moves when it grows, so nothing here hands out an address that outlives the
// next reserve:
// - Positions are offsets from the start of the block, which stay right when it moves.
// - WorkBufferAt turns an offset into an address for immediate use; the address is valid
//   only until the next reserve (or TextConcat). Never keep it.
// - Finished texts leave the buffer as a copy: WorkBufferText gives a std::string,
//   StringAssignFromBuffer a string variable.
// - WorkBufferScope gives the room back when the scope ends, so a caller cannot leave
//   the position behind by accident (early returns included).
// TextConcat accepts a text that lies inside the buffer itself.
//
// Running out of memory for texts ends the program: there is no sound way to go on with
// a half-built text, and a null block must never be written through.
#pragma once

#include <cstddef>
#include <string>

// Offset just after the text built so far.
size_t WorkBufferPosition();
// Makes room for `length` bytes (plus a NUL) at the position and moves the position past
// them; returns the offset of the room.
size_t WorkBufferReserve(size_t length);
// Moves the position back by `length` (at most to the start) and puts a NUL there.
void WorkBufferGiveBack(size_t length);
// Address of an offset, valid until the next reserve.
char* WorkBufferAt(size_t offset);
// Appends the text (absent = empty) at the position, NUL-terminated.
void TextConcat(const char* text);
inline void TextConcat(const std::string& text) {
    TextConcat(text.c_str());
}
// Copy of the bytes from `start` to the position; the position stays.
std::string WorkBufferText(size_t start);

// Notes the position on creation and returns to it on destruction.
class WorkBufferScope {
  public:
    WorkBufferScope() : start_(WorkBufferPosition()) {}
    ~WorkBufferScope();
    WorkBufferScope(const WorkBufferScope&) = delete;
    WorkBufferScope& operator=(const WorkBufferScope&) = delete;

    size_t Start() const { return start_; }
    // Everything appended since the scope began.
    std::string Text() const { return WorkBufferText(start_); }

  private:
    size_t start_;
};

// A string variable is a `char*` that owns its block in the string heap, or nullptr for
// the empty text. Blocks have five bytes more than the text (the NUL and slack for copies
// that move four bytes at a time). Array string fields are string variables.

// The variable gets a copy of the text; an absent text frees it and sets it to nullptr.
// The text may lie in the variable's own block.
void StringAssign(char*& variable, const char* text);
// The variable gets a copy of the bytes from `start` to the position, and the position
// returns to `start`.
void StringAssignFromBuffer(char*& variable, size_t start);
// Frees the block and sets the variable to nullptr.
void StringFree(char*& variable);
