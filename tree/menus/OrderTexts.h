#pragma once
// Texts that the item menus leave for the commands they offer: the order texts of a form's
// "OrderButton" (read when the item goes into the shopping cart) and the text that "Search it on the
// net" looks for. One of each for the whole program; the last menu built sets them.

#include <string>

struct OrderTexts
{
    std::string price;
    std::string weight;
    std::string availableThe;
    std::string uid;
    std::string image1Name;
    std::string image2Name;
    std::string shopName;
};

OrderTexts& ProgramOrderTexts();
std::string& ProgramSearchText();
