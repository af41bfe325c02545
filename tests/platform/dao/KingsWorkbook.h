#pragma once
// A workbook written by a real spreadsheet writer (python3-xlwt): one sheet "Kings" whose column "Name"
// holds "Olaf".

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace lumarc::test {

// Writes the workbook at `book`; a fatal failure when the writer is missing.
inline void WriteKingsWorkbook(const std::filesystem::path& book)
{
    const std::string command =
        "/usr/bin/python3 -c \"import xlwt; b = xlwt.Workbook(); s = b.add_sheet('Kings'); "
        "s.write(0, 0, 'Name'); s.write(1, 0, 'Olaf'); b.save('" +
        book.string() + "')\"";
    ASSERT_EQ(std::system(command.c_str()), 0) << "python3-xlwt is needed (scripts/install-deps)";
}

} // namespace lumarc::test
