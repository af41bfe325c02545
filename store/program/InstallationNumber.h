#pragma once
// The installation number: the setting "UID", set once at the first run and read into one value for the
// whole program at start-up. Folders directly under a catalogue are marked by it (their PARENT reads
// as this number × 100,000), so folders made by different installations stay apart.

// The program's value; read from the setting "UID" (0 when unset) the first time nobody set it.
double GetInstallationNumber();
void SetInstallationNumber(double number);
// Reads the setting "UID" into the program's value (start-up does this).
void LoadInstallationNumber();
