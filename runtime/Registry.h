// Numbered objects. Each kind of object (windows, widgets, menus, images, files, status
// bars) keeps its records in one ObjectTable. A record is a plain struct whose first member
// is the pointer-sized native handle; a record whose first word is 0 is free, so the owner
// makes an object visible by storing its handle. Records are handed out zero-filled.
//
// A record never moves once claimed: the table grows an array of pointers to records, and each
// array record is made on its number's first claim and kept until the table goes. A pointer to
// a record stays good while its number is claimed, whatever else the table is asked to do.
//
// Numbers:
// - 0 .. ObjectNumberMax are chosen by the application and live in the table's array. A
//   claim beyond the capacity grows the array to number + step slots; it never shrinks.
//   Numbers above ObjectNumberMax are refused, so a stray number can never make a claim
//   allocate gigabytes (Win32 control and menu ids are 16-bit anyway).
// - AutoNumber asks the table for a number of its own. The record lives in a node outside
//   the array, and its number is taken from a process-wide counter that runs from
//   AutoNumberFirst up to INT_MAX (then starts over, skipping numbers still in use). A
//   record address does not fit a 32-bit number on 64-bit systems, so addresses are never
//   used as numbers; the automatic numbers lie far above any array number and stay valid
//   until released.
// - Every other number (below -1, or between ObjectNumberMax and AutoNumberFirst) names
//   nothing: claims return nullptr, lookups return nullptr, releases do nothing.
//
// Single-threaded: tables are used from the event-loop thread only and take no lock.
#pragma once

#include <cstddef>

constexpr int AutoNumber = -1;
constexpr int ObjectNumberMax = 65535;
constexpr int AutoNumberFirst = 0x01000000;

struct ObjectTable;

// Called with a number just before its array record is handed out again, whether or not
// it is live; the hook looks the number up itself and frees a live object, which releases
// its record. Not called for automatic records.
using ObjectReleaseHook = void (*)(int number);

// recordSize must hold at least the pointer-sized handle; step is the initial capacity and
// the growth step (1 .. ObjectNumberMax + 1). nullptr on bad sizes or exhausted memory.
ObjectTable* ObjectTableCreate(int recordSize, int step, ObjectReleaseHook hook);
// Frees the table and all its records without calling the hook (for tests and tools; the
// program keeps its tables until the main heap goes).
void ObjectTableDestroy(ObjectTable* table);

// The zeroed record for `number`; for AutoNumber a new record whose number is stored in
// *assignedNumber. nullptr when the number is refused or memory is exhausted (the table
// then keeps its old array and capacity).
void* ObjectAcquire(ObjectTable* table, int number, int* assignedNumber = nullptr);
// The record, or nullptr unless the number names a live record.
void* ObjectLookup(ObjectTable* table, int number);
// Array records are zero-filled, automatic records are freed; unknown numbers are ignored.
void ObjectRelease(ObjectTable* table, int number);
// Numbers 0 .. capacity-1 are array numbers.
int ObjectTableCapacity(const ObjectTable* table);

// Visits every live record once: array numbers ascending, then automatic records oldest
// first. The cursor has moved on before a record is returned, so the caller may release
// it (or any other record) before asking for the next one.
void ObjectEnumStart(ObjectTable* table);
void* ObjectEnumNext(ObjectTable* table, int* number);
// Ends every live object through `close`, which releases the number it is given (the
// libraries' close-all at program end). A null table has nothing to close.
void ObjectCloseAll(ObjectTable* table, void (*close)(int number));

// One zeroed settings record per library, kept for the life of the process; the
// initialiser, when given, runs on it once. nullptr when memory is exhausted.
void* LibraryStateCreate(size_t size, void (*initialiser)(void*) = nullptr);
