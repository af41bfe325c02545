#include "store/catalogue/DataTableColumns.h"

#include <algorithm>
#include <cctype>

using namespace platform::dao;

CDaoFieldInfo DataColumnFor(std::string_view name, char typeLetter, int length, bool addedToExistingTable)
{
    CDaoFieldInfo column;
    column.m_name = std::string(name);
    const auto text = [&column](long size) {
        column.m_type = dbText;
        column.m_size = std::clamp(size, 1L, kMaxTextColumn);
    };
    switch (std::toupper(static_cast<unsigned char>(typeLetter))) {
    case 'B':
        text(1);
        break;
    case 'I':
        text(6);
        break;
    case 'F':
    case 'O':
        text(12);
        break;
    case 'U':
        column.m_type = dbCurrency;
        column.m_size = 8;
        break;
    case 'D':
        column.m_type = dbDate;
        column.m_size = 8;
        break;
    case 'P':
        column.m_type = dbLongBinary;
        column.m_size = 0;
        break;
    case 'M':
        // A memo has no size; the field's LENGTH only limits what the form takes.
        column.m_type = dbMemo;
        column.m_size = 0;
        break;
    default: // 'S', 'T', 'C' and letters of no column type of their own
        text(length);
        break;
    }
    if (addedToExistingTable) {
        column.m_allowZeroLength = column.m_type == dbText || column.m_type == dbMemo;
        column.m_required = false;
    }
    return column;
}
