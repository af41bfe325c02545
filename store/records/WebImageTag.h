#pragma once
// Pictures of generated web pages: a catalogue picture (a data file's icon, a record's picture) written
// as a numbered JPEG file "web<n>.jpg" beside the pages, and the IMG tag that shows it. The page
// writers of records and of tree nodes share it.

#include <filesystem>
#include <string>

class CCatalogueImage;
class CMarkupNode;

// Writes `picture` as "web<index>.jpg" into `folder` (the HTML folder when empty; a folder "." gives
// the bare file name) and appends its IMG tag to `out`, aligned by the element's "align" when it has
// one. Magenta pixels, the transparent colour of catalogue icons, become white first. With index -1 no
// file is written: the tag names the stock picture of the data file `kind` (bookmarks 24, to-do list
// 25) in the folder, and other kinds get no tag. Returns whether a tag was appended; a picture that
// cannot be written gives none.
bool WriteImageTag(CCatalogueImage& picture, std::string& out, int index, const CMarkupNode& element,
                   const std::filesystem::path& folder, int kind);

// The path of numbered web picture `index` in `folder`, as WriteImageTag names it.
std::filesystem::path WebPicturePath(const std::filesystem::path& folder, int index);
// The stock picture that stands for data file `kind` without an icon of its own; empty for most kinds.
std::filesystem::path StockIconPath(const std::filesystem::path& folder, int kind);
// Appends the IMG tag of a picture file, aligned by the element's "align" when it has one.
void AppendImageTag(std::string& out, const std::filesystem::path& file, const CMarkupNode& element);
