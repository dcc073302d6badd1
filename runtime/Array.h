// Fixed-size arrays in the main heap whose elements may own string variables.
//
// An array is one zero-filled block: a small header, then count + 1 elements (the last
// one is spare). Callers keep their indices in range; there is no bounds check.
//
// A layout says where the string variables (`char*` owned by the string heap, see
// WorkBuffer.h) lie in an element, so that freeing the array frees them too. It is a list
// of ints ending with -1:
// - an entry of 0 or more is the byte offset of a string variable in the element;
// - -2 starts a nested array held inside the element: -2, element count, byte offset of
//   the nested array, nested element size, then the nested layout's own entries with
//   their -1. Nesting may go on to any depth.
// Example, an element {char* name; Item items[3];} with Item {int n; char* text;}:
//   {0, -2, 3, offsetof(E, items), sizeof(Item), offsetof(Item, text), -1, -1}
#pragma once

// Elements of a new array, or nullptr for a negative count, a bad size or exhausted memory.
void* ArrayCreate(int count, int elementSize, const int* layout, int typeCode);
// Frees the string variables of every element (spare one included), then the block.
void ArrayFree(void* elements);
int ArrayCount(const void* elements);
int ArrayTypeCode(const void* elements);

// Re-creating an array variable frees the array it held first.
template <class Element>
Element* ArrayRecreate(Element*& variable, int count, const int* layout = nullptr,
                       int typeCode = 0) {
    ArrayFree(variable);
    variable = static_cast<Element*>(ArrayCreate(count, int(sizeof(Element)), layout, typeCode));
    return variable;
}

template <class Element> void ArrayRelease(Element*& variable) {
    ArrayFree(variable);
    variable = nullptr;
}
