#pragma once
// The program's dialogs, described in the XRC files of resources/ and compiled into the program, so a
// dialog loads the same way wherever the program or a test runs.

namespace resources {

// Makes the dialogs available to wxXmlResource (once; later calls do nothing). Needs a running wx app.
void LoadXrcResources();

} // namespace resources
