#pragma once
// Registers the program's own window classes (WindowClasses.h) in their fixed order, once per process:
// the main frame calls this while it is being created, before the root element exists.

// Registers every class whose control exists and loads the regional settings at their place in the
// order (the date and number controls read them). Later calls do nothing.
void RegisterOwnWindowClasses();
