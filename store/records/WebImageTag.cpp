#include "store/records/WebImageTag.h"

#include "codecs/CatalogueImage.h"
#include "codecs/TextException.h"
#include "platform/text/CaseFold.h"
#include "platform/text/HtmlEscape.h"
#include "store/definitions/BuiltinDataFiles.h"
#include "store/markup/MarkupNode.h"
#include "store/program/Settings.h"
#include "store/program/TraceLog.h"

namespace {

constexpr uint32_t kTransparentIconColour = 0x00FF00FF;
constexpr uint32_t kWhite = 0xFFFFFFFF;

} // namespace

std::filesystem::path StockIconPath(const std::filesystem::path& folder, int kind)
{
    if (kind == kBookmarksFile) {
        return folder / "bookmarks.jpg";
    }
    if (kind == kToDoFile) {
        return folder / "todo.jpg";
    }
    return {};
}

void AppendImageTag(std::string& out, const std::filesystem::path& file, const CMarkupNode& element)
{
    const std::string align = element.GetAttribute("align");
    if (align.empty()) {
        out += "<IMG SRC=\"";
        platform::text::AppendHtmlEscaped(out, file.string());
        out += "\">";
    } else {
        out += "<IMG BORDERS=0 SRC=\"";
        platform::text::AppendHtmlEscaped(out, file.string());
        out += "\" ALIGN=";
        platform::text::AppendHtmlEscaped(out, align);
        out += ">";
    }
}

std::filesystem::path WebPicturePath(const std::filesystem::path& folder, int index)
{
    const std::string name = "web" + std::to_string(index) + ".jpg";
    if (platform::text::EqualsNoCase(folder.string(), ".")) {
        return name;
    }
    return folder / name;
}

bool WriteImageTag(CCatalogueImage& picture, std::string& out, int index, const CMarkupNode& element,
                   const std::filesystem::path& folder, int kind)
{
    const std::filesystem::path target = folder.empty() ? GetHtmDirectory() : folder;
    std::filesystem::path file;
    if (index != -1) {
        file = WebPicturePath(target, index);
        try {
            picture.ReplaceColour(kTransparentIconColour, kWhite);
            picture.SaveToFile(file);
        } catch (const CTextException& error) {
            DebugLogString(error.GetMessage());
            return false;
        }
    } else {
        file = StockIconPath(target, kind);
        if (file.empty()) {
            return false;
        }
    }

    AppendImageTag(out, file, element);
    return true;
}
