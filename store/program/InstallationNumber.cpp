#include "store/program/InstallationNumber.h"

#include "store/program/Settings.h"

#include <optional>

namespace {

std::optional<double>& Number()
{
    static std::optional<double> number;
    return number;
}

} // namespace

double GetInstallationNumber()
{
    if (!Number()) {
        LoadInstallationNumber();
    }
    return *Number();
}

void SetInstallationNumber(double number)
{
    Number() = number;
}

void LoadInstallationNumber()
{
    Number() = static_cast<double>(GetSettingInt("UID", 0));
}
