#include "store/catalogue/WorkbookSheets.h"
#include "store/catalogue/DataRecordset.h"

#include "platform/dao/DaoConstants.h"
#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoDate.h"
#include "platform/dao/DaoException.h"
#include "platform/dao/DaoRecordset.h"
#include "store/regional/DateText.h"

#include <charconv>
#include <ctime>
#include <fstream>

using platform::dao::CDaoVariant;
using platform::dao::VariantType;

namespace {

std::string_view ConnectFor(bool isWorkbook)
{
    return isWorkbook ? "Excel 8.0;" : "";
}

std::string Fixed(double value)
{
    char text[400];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6);
    return result.ec == std::errc() ? std::string(text, result.ptr) : std::string();
}

void AppendQuoted(std::string& line, std::string_view value)
{
    line += '"';
    for (char c : value) {
        if (c == '"') {
            line += '"'; // doubled, so the import reads the value back whole
        }
        line += c;
    }
    line += '"';
}

} // namespace

std::string SheetValueText(const CDaoVariant& value)
{
    switch (value.GetType()) {
    case VariantType::Null:
    case VariantType::Binary:
        return {};
    case VariantType::Single:
        return Fixed(value.GetSingle());
    case VariantType::Double:
        return Fixed(value.GetDouble());
    case VariantType::Currency: {
        const std::int64_t amount = value.GetCurrency();
        return std::to_string(amount / 10000) + "A" + std::to_string(amount % 10000 / 100);
    }
    case VariantType::Date:
        return FormatDateSerialText(value.GetDate());
    case VariantType::Boolean:
        return value.GetBool() ? "T" : "F";
    default:
        return value.ToText();
    }
}

bool ListExcelSheets(ISheetList& listBox, const std::filesystem::path& path, bool isWorkbook)
{
    listBox.Clear();
    try {
        platform::dao::CDaoDatabase database;
        database.Open(path, false, true, ConnectFor(isWorkbook));
        const short count = database.GetTableDefCount();
        for (short i = 0; i < count; ++i) {
            platform::dao::CDaoTableDefInfo info;
            database.GetTableDefInfo(i, info);
            listBox.Append(info.m_name);
        }
        return true;
    } catch (const platform::dao::CDaoException&) {
        listBox.Clear();
        return false;
    }
}

bool ExcelSheetToText(const std::filesystem::path& path, std::string_view sheetName,
                      const std::filesystem::path& textPath, bool isWorkbook)
{
    std::filesystem::path partPath = textPath;
    partPath += ".part~";
    std::error_code error;
    try {
        std::ofstream text(partPath, std::ios::binary | std::ios::trunc);
        if (!text) {
            return false;
        }
        platform::dao::CDaoDatabase database;
        database.Open(path, false, true, ConnectFor(isWorkbook));
        platform::dao::CDaoRecordset sheet(&database);
        sheet.Open(platform::dao::dbOpenTable, sheetName, platform::dao::dbReadOnly);
        const short fields = sheet.GetFieldCount();
        std::string line;
        for (short i = 0; i < fields; ++i) {
            platform::dao::CDaoFieldInfo info;
            sheet.GetFieldInfo(i, info);
            if (i > 0) {
                line += ',';
            }
            AppendQuoted(line, info.m_name);
        }
        text << line << "\r\n";
        for (; !sheet.IsEOF(); sheet.MoveNext()) {
            line.clear();
            for (short i = 0; i < fields; ++i) {
                if (i > 0) {
                    line += ',';
                }
                AppendQuoted(line, SheetValueText(sheet.GetFieldValue(i)));
            }
            text << line << "\r\n";
        }
        sheet.Close();
        database.Close();
        text.close();
        if (!text) {
            std::filesystem::remove(partPath, error);
            return false;
        }
        std::filesystem::rename(partPath, textPath, error);
        if (error) {
            std::filesystem::remove(partPath, error);
            return false;
        }
        return true;
    } catch (const platform::dao::CDaoException&) {
        std::filesystem::remove(partPath, error);
        return false;
    }
}
