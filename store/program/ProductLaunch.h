#pragma once
// Starting a second copy of the program, and the folders other programs and copies are found in.

#include <filesystem>
#include <string>
#include <string_view>

// The product folder (setting "productDir") as text.
std::string GetProductDirPath();

// Starts the program named by the setting "productExe" as a separate process, with `parameters` as its
// one argument and the product folder as its working folder. It runs on after this copy ends. Returns
// false when the setting is empty or the program cannot be started.
bool LaunchProductExe(std::string_view parameters);

// Starts a program as a separate process with `argument` as its one argument (none when empty), passed as
// it stands with no shell between, in `folder` (this process's folder when empty). False when it cannot
// be started.
bool LaunchProgram(const std::filesystem::path& program, std::string_view argument,
                   const std::filesystem::path& folder = {});

// The user folder of a browser whose settings this platform does not have: always empty.
std::string GetNetscapeUserDir();
