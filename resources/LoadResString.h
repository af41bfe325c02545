#pragma once
// LoadResString: the one way the program fetches a text of its string table.

#include <string>

// Text of string-table entry `id`. An id whose text is empty gives an empty text; an id the table does
// not hold shows the message "Not found " (caption "Error") and gives an empty text.
std::string LoadResString(unsigned id);
