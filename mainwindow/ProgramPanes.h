#pragma once
// The panes the program's main frame gets: installed once at start-up (tests install their own).

void RegisterProgramPanes();
