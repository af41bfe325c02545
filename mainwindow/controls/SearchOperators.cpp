#include "mainwindow/controls/SearchOperators.h"

#include "resources/LoadResString.h"

#include <cctype>

char OperatorGlyph(int code)
{
    switch (code) {
    case kOpGreater:
        return '>';
    case kOpLess:
        return '<';
    case kOpBetween:
        return 'B';
    case kOpFalse:
        return 'F';
    case kOpTrue:
        return 'T';
    case kOpLike:
        return 'S';
    case kOpContain:
        return 'C';
    case kOpDate:
        return 'D';
    default:
        return '=';
    }
}

std::string OperatorText(int code)
{
    switch (code) {
    case kOpLike:
        return "LIKE";
    case kOpContain:
        return "CONTAIN";
    case kOpToday:
        return "TODAY";
    default:
        return std::string(1, OperatorGlyph(code));
    }
}

std::vector<SearchOperator> OperatorsForType(char type)
{
    const auto text = [](unsigned id) { return LoadResString(id); };
    switch (std::toupper(static_cast<unsigned char>(type))) {
    case 'C':
        return {{"=", text(33015), kOpEqual},
                {text(499), text(33105), kOpLike},
                {text(500), text(408), kOpContain},
                {">", text(33018), kOpGreater},
                {"<", text(33010), kOpLess}};
    case 'D':
    case 'T':
        return {{"=", text(33014), kOpThe}, {">", text(33017), kOpGreater}, {"<", text(33009), kOpLess}};
    case 'F':
        return {{"=", text(33016), kOpLike}};
    case 'I':
    case 'U':
        return {{"=", text(33016), kOpLike}, {">", text(33019), kOpGreater}, {"<", text(33011), kOpLess}};
    case 'B':
        return {{text(502), text(418), kOpFalse}, {text(501), text(417), kOpTrue}};
    default:
        return {};
    }
}
