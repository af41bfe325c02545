#include "mainwindow/controls/Dialler.h"

#include "platform/ui/DialogService.h"
#include "resources/LoadResString.h"
#include "store/definitions/DataFileDef.h"
#include "store/program/ProductLaunch.h"
#include "store/program/Settings.h"
#include "store/records/Record.h"

#include <algorithm>
#include <cstdio>

bool CVerideDialler::Dial(std::string_view number)
{
    const auto program = GetProductDir() / std::string(kDiallerFileName);
    if (LaunchProgram(program, number.substr(0, kMaxDialledNumber))) {
        return true;
    }
    // Say so rather than leave the user waiting for a call that never comes.
    std::string message = LoadResString(349);
    const auto at = message.find("%s");
    if (at != std::string::npos) {
        message.replace(at, 2, program.string());
    }
    platform::ui::ShowMessage(message, LoadResString(20552), platform::ui::kMbIconError);
    return false;
}

std::vector<TelephoneEntry> CollectTelephoneNumbers(CRecord& record)
{
    std::vector<TelephoneEntry> entries;
    const CDataFileDef* definition = record.GetDefinition();
    if (definition == nullptr) {
        return entries;
    }
    const int count = std::min(definition->GetFieldCount(), 100);
    for (int i = 0; i < count; ++i) {
        if (!definition->IsPhoneField(i)) {
            continue;
        }
        std::string number = record.GetFieldText(i);
        if (number.find_first_not_of(" \t") == std::string::npos) {
            continue;
        }
        entries.push_back({definition->GetFieldName(i), number.substr(0, kMaxDialledNumber)});
    }
    return entries;
}

std::string FormatTelephoneEntry(const TelephoneEntry& entry)
{
    std::string name = entry.fieldName;
    if (name.size() < 15) {
        name.insert(0, 15 - name.size(), ' ');
    }
    return name + ": " + entry.number;
}

std::string NumberOfTelephoneEntry(std::string_view text)
{
    const auto at = text.find(": ");
    if (at == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(at + 2, kMaxDialledNumber));
}
