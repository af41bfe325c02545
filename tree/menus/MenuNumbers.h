#pragma once
// The command numbers, pictures and texts of the node menus. Command numbers are those the main frame
// and the record form handle; pictures are numbers of the program's picture table.

namespace menu_command {
inline constexpr int kNewCatalogue = 1009;
inline constexpr int kNewFolder = 1023;
inline constexpr int kNewQuery = 1010;
inline constexpr int kNewList = 1032;
inline constexpr int kNewDataType = 1223;
inline constexpr int kNewBookmark = 1359;
inline constexpr int kNewToDo = 1360;
// A new record of data file n is kFirstNewOfKind + n.
inline constexpr int kFirstNewOfKind = 1335;
// A file added to a record's linked children.
inline constexpr int kAddFile = 1068;
// The element's own command (new item of its kind, empty the wastebasket, checkout).
inline constexpr int kElementCommand = 535;
inline constexpr int kCut = 57635;
inline constexpr int kCopy = 57634;
inline constexpr int kPaste = 57637;
inline constexpr int kDuplicate = 1014;
inline constexpr int kDelete = 1011;
inline constexpr int kRename = 1033;
inline constexpr int kFax = 1043;
inline constexpr int kMail = 1042;
inline constexpr int kPrintIndexCards = 1124;
inline constexpr int kInventoryReport = 1128;
inline constexpr int kShiftUp = 32859;
inline constexpr int kShiftDown = 32860;
inline constexpr int kOpen = 1037;
inline constexpr int kOrderIt = 32841;
inline constexpr int kSearchOnNet = 32851;
inline constexpr int kAddToMyCatalogue = 32848;
inline constexpr int kCopyToWantList = 32850;
// The record form's own numbers for the same two commands.
inline constexpr int kFormAddToMyCatalogue = 262;
inline constexpr int kFormCopyToWantList = 1262;
inline constexpr int kFieldChooser = 1062;
inline constexpr int kLabelBuilder = 1064;
inline constexpr int kImportExport = 1017;
inline constexpr int kOwnedReport = 32863;
inline constexpr int kMissingReport = 32864;
} // namespace menu_command

namespace menu_picture {
inline constexpr int kCatalogue = 114;
inline constexpr int kFolder = 105;
inline constexpr int kQuery = 165;
inline constexpr int kList = 111;
inline constexpr int kDataType = 31248;
inline constexpr int kBookmarks = 185;
inline constexpr int kToDo = 31237;
inline constexpr int kTable = 104;
inline constexpr int kNew = 154;
inline constexpr int kCut = 157;
inline constexpr int kCopy = 158;
inline constexpr int kPaste = 159;
inline constexpr int kDelete = 161;
inline constexpr int kFax = 31244;
inline constexpr int kMail = 156;
inline constexpr int kPrint = 155;
// A strip of command pictures: the command picks its picture, others take the strip's first.
inline constexpr int kCommands = 31262;
inline constexpr int kOpen = 31261;
inline constexpr int kShiftUp = 31278;
inline constexpr int kShiftDown = 31277;
} // namespace menu_picture
