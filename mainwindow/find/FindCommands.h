#pragma once
// What the frame's Find Now and Save Search do with the find pane: the search set described from the
// pane's pages, run into the results list, or stored as a query of the pane's catalogue.

#include <string>
#include <string_view>

class CFrameFindPane;
class CItemSet;
class CPaneFrame;

// Describes the set from the pane: the criteria of every page, the chosen data file, the element's
// catalogue (by its file) and folder, live records (the waste basket's for a waste basket area), and a
// join through the links when a link list has a selection.
void BuildSearchDefinition(CItemSet& set, CFrameFindPane& pane);

// Find Now: hands the search to the frame's results list, which runs it as it shows it; Save Search is
// offered from then on. False when no catalogue or data file is chosen.
bool RunFindNow(CPaneFrame& frame, CFrameFindPane& pane);

// Save Search: stores the search as a new query of the pane's catalogue, named "New Query" (or
// "New Query %d" with the first free number); the name, or empty when it could not be stored.
std::string SaveSearch(CFrameFindPane& pane);
