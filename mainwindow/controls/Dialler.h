#pragma once
// Telephone numbers of a record and the external dialler that calls them: "VERIDE.exe" in the product
// folder, started with the number as its only argument.

#include <string>
#include <string_view>
#include <vector>

class CRecord;

// Starts a call; the chooser talks to this so tests can record the calls.
class IDialler
{
public:
    virtual ~IDialler() = default;
    // False when the dialler cannot be started.
    virtual bool Dial(std::string_view number) = 0;
};

// Starts "VERIDE.exe" of the product folder (any executable of that name).
class CVerideDialler final : public IDialler
{
public:
    bool Dial(std::string_view number) override;
};

inline constexpr std::string_view kDiallerFileName = "VERIDE.exe";
// Longest number handed to the dialler.
inline constexpr size_t kMaxDialledNumber = 39;

struct TelephoneEntry
{
    std::string fieldName;
    std::string number;
};

// The record's telephone fields with a value that is not blank, in field order (at most 100 fields).
std::vector<TelephoneEntry> CollectTelephoneNumbers(CRecord& record);

// "%15s: %s" of field name and number, as the chooser lists it.
std::string FormatTelephoneEntry(const TelephoneEntry& entry);
// The number of a listed entry: its text after the first ": ", cut to the longest dialled number.
std::string NumberOfTelephoneEntry(std::string_view text);
