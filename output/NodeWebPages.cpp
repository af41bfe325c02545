#include "output/NodeWebPages.h"

#include "codecs/CatalogueImage.h"
#include "codecs/TextException.h"
#include "output/HtmlElementWriter.h"
#include "platform/text/CaseFold.h"
#include "platform/text/HtmlEscape.h"
#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/definitions/FieldDef.h"
#include "store/markup/MarkupNode.h"
#include "store/program/Settings.h"
#include "store/program/TextFiles.h"
#include "store/program/TraceLog.h"
#include "store/records/ItemSet.h"
#include "store/records/Record.h"
#include "store/records/WebAddress.h"
#include "store/records/WebImageTag.h"
#include "tree/base/TreeNode.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <memory>

namespace {

using platform::text::EqualsNoCase;

constexpr unsigned kNoWebView = 139;
constexpr int kPictureSide = 131;
constexpr size_t kShowValueMax = 4999;
constexpr int kParentKind = 100;

int g_elementCounter = 0;

std::string Escaped(std::string_view text)
{
    std::string out;
    platform::text::AppendHtmlEscaped(out, text);
    return out;
}

// What the page's style may take from a layout: a colour name or "#rrggbb", a picture file name. Anything
// that could close the style or the attribute is refused, so the layout's texts stay data.
bool IsSafeColour(std::string_view text)
{
    if (text.empty()) {
        return false;
    }
    for (char c : text) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '#') {
            return false;
        }
    }
    return true;
}

bool IsSafeUrlText(std::string_view text)
{
    return !text.empty() && text.find_first_of("\"'()<>;\\{}\r\n") == std::string_view::npos;
}

// The page's background, colour and scrolling, replaced once the page is closed.
struct PageLook
{
    std::string image;
    std::string colour;
    bool scroll = true;

    void Apply() const
    {
        if (IsSafeUrlText(image)) {
            ReplaceTextInWebPage("BACKGROUND-IMAGE: none", "BACKGROUND-IMAGE: url(" + image + ")");
        }
        if (IsSafeColour(colour)) {
            ReplaceTextInWebPage("#FFFFFF", colour);
        }
        ReplaceTextInWebPage("SCROLL=?", scroll ? "SCROLL=YES" : "SCROLL=NO");
    }
};

std::filesystem::path WebPageFile()
{
    return GetHtmDirectory() / "webPage.htm";
}

// The first layout of the kind whose Name is `name` (any name when empty) and whose type is HTML.
CMarkupNode* FindLayout(CCatalogueDb& catalogue, int kind, std::string_view name)
{
    CMarkupNode* templates = catalogue.GetWebTemplates();
    if (templates == nullptr) {
        return nullptr;
    }
    const std::string kindText = std::to_string(kind);
    for (CMarkupNode* layout = templates->GetFirstChild(); layout != nullptr;
         layout = layout->GetNextSibling()) {
        if (layout->GetAttribute("DataName") == kindText && layout->GetAttribute("layoutType") == "HTML" &&
            (name.empty() || EqualsNoCase(layout->GetName(), name))) {
            return layout;
        }
    }
    return nullptr;
}

// The record's picture in the field, resized and written as the next numbered web picture; the file's
// path, empty without a picture. The record keeps its stored bytes: the picture is decoded into a copy.
std::filesystem::path WriteFieldPicture(CRecord& record, std::string_view fieldName, int& pictureNumber,
                                        bool keepNearSize)
{
    const int field = record.FindFieldByName(fieldName);
    const std::shared_ptr<CCatalogueImage> stored = field >= 0 ? record.GetFieldPicture(field) : nullptr;
    if (stored == nullptr || !stored->IsValid()) {
        return {};
    }
    try {
        CCatalogueImage picture(*stored);
        if (!picture.HasBitmap()) {
            return {};
        }
        const auto near = [](int side) { return side >= 100 && side <= 140; };
        if (!keepNearSize || !near(picture.GetWidth()) || !near(picture.GetHeight())) {
            picture.Resize(kPictureSide, kPictureSide);
        }
        const auto file = WebPicturePath(GetHtmDirectory(), pictureNumber++);
        picture.SaveToFile(file);
        return file;
    } catch (const CTextException& error) {
        DebugLogString(error.GetMessage());
        return {};
    }
}

// The data file's small or large icon as an IMG tag (the stock picture of bookmarks and to-do lists
// when the catalogue has none).
std::string IconTag(CCatalogueDb& catalogue, int kind, bool large, const CMarkupNode& element,
                    int& pictureNumber)
{
    CCatalogueImage picture;
    const bool read = large ? catalogue.ReadImage(kind, picture) : catalogue.ReadAltImage(kind, picture);
    std::string tag;
    if (read) {
        WriteImageTag(picture, tag, pictureNumber++, element, {}, 0);
    } else {
        WriteImageTag(picture, tag, -1, element, {}, kind);
    }
    return tag;
}

std::string FieldValue(CRecord& record, std::string_view fieldName, char* kindLetter)
{
    if (EqualsNoCase(fieldName, "GetDisplayString")) {
        return record.GetName();
    }
    const int field = record.FindFieldByName(fieldName);
    if (field < 0) {
        return {};
    }
    if (kindLetter != nullptr && record.GetFieldDef(field) != nullptr) {
        *kindLetter = record.GetFieldDef(field)->GetKind();
    }
    return record.GetFieldDisplayText(field);
}

const CFieldDef* FieldDefOf(CRecord& record, std::string_view fieldName)
{
    const int field = record.FindFieldByName(fieldName);
    return field >= 0 ? record.GetFieldDef(field) : nullptr;
}

std::string TrimEnd(std::string text)
{
    const size_t end = text.find_last_not_of(' ');
    text.erase(end == std::string::npos ? 0 : end + 1);
    return text;
}

// An address of the data, as a page may link it: "http:" and "https:" as they stand, anything else
// behind "http://", so a stored "javascript:" never runs.
std::string WebLink(std::string_view address)
{
    const std::string expanded = ExpandWebAddress(address, GetProductWebSite() + "usa/");
    return HasWebScheme(expanded) ? expanded : "http://" + expanded;
}

void WriteCrLf(std::ostream& out)
{
    out << "\r\n";
}

} // namespace

int CNodeWebPages::LastElementId()
{
    return g_elementCounter;
}

bool CNodeWebPages::WriteLayoutPage(CTreeNode& node, std::string_view layoutName, std::string& message,
                                    CMarkupNode** found)
{
    std::ofstream page(WebPageFile(), std::ios::binary | std::ios::trunc);
    if (!page) {
        DebugLogString("Cannot create " + WebPageFile().string());
        return true;
    }
    node.CopyPageTemplate(page, "moving.htm", message);

    CItemSet* set = node.GetItemSet();
    CCatalogueDb* catalogue = node.GetCatalogue();
    CRecord* record = set != nullptr ? set->GetCurrent() : nullptr;
    const int kind = set != nullptr ? set->GetCurrentKind() : 0;
    CMarkupNode* layout = catalogue != nullptr ? FindLayout(*catalogue, kind, layoutName) : nullptr;
    PageLook look;
    int pictureNumber = 0;
    if (layout != nullptr) {
        if (found != nullptr) {
            *found = layout;
        }
        for (CMarkupNode* element = layout->GetFirstChild(); element != nullptr;
             element = element->GetNextSibling()) {
            ++g_elementCounter;
            const std::string category = element->GetAttribute("elementCategory");
            std::string content;
            bool threeBlanks = false;
            if (EqualsNoCase(category, "scroll")) {
                if (EqualsNoCase(element->GetAttribute("value"), "no")) {
                    look.scroll = false;
                }
                continue;
            }
            if (EqualsNoCase(category, "backgroundElement")) {
                look.image = element->GetAttribute("image");
                look.colour = element->GetAttribute("color");
                continue;
            }
            if (EqualsNoCase(category, "typeIconSmall") || EqualsNoCase(category, "typeIconLarge")) {
                content = IconTag(*catalogue, kind, EqualsNoCase(category, "typeIconLarge"), *element,
                                  pictureNumber);
            } else if (EqualsNoCase(category, "FieldElement")) {
                const std::string fieldName = element->GetAttribute("fieldName");
                const bool isPicture = EqualsNoCase(element->GetAttribute("subtype"), "Image");
                std::string pictureTag;
                if (isPicture) {
                    const auto file = record != nullptr
                                          ? WriteFieldPicture(*record, fieldName, pictureNumber, false)
                                          : std::filesystem::path();
                    const std::string align = element->GetAttribute("align");
                    pictureTag = "<IMG SRC=\"" + Escaped(file.empty() ? "noimage.jpg" : file.string()) +
                                 "\"" + (align.empty() ? "" : " ALIGN=" + Escaped(align)) + ">";
                }
                char letter = 0;
                const std::string value =
                    record != nullptr ? FieldValue(*record, fieldName, &letter) : std::string();
                element->SetAttribute("labelType", value);
                if (isPicture) {
                    content = pictureTag;
                } else {
                    WriteHtmlElementEscaped(content, value.empty() || value == " " ? fieldName : value,
                                            *element);
                }
                threeBlanks = letter == 'W';
            } else {
                WriteHtmlElementEscaped(content, element->GetAttribute("labelType"), *element);
            }
            std::string definition;
            element->WriteTextToBuffer(definition, false, false);
            page << "<SPAN Type=\"" << Escaped(category) << "\" ID=\"" << g_elementCounter
                 << "\" SDMLStart=\"" << Escaped(definition) << " SDMLEnd\">" << (threeBlanks ? "   " : " ")
                 << content << " </SPAN> ";
            WriteCrLf(page);
        }
    }
    page << "\r\n</DIV>\r\n</BODY>\r\n</HTML>";
    page.close();
    look.Apply();
    return true;
}

bool CNodeWebPages::WriteShowPage(CTreeNode& node, std::string& message)
{
    std::ofstream page(WebPageFile(), std::ios::binary | std::ios::trunc);
    if (!page) {
        DebugLogString("Cannot create " + WebPageFile().string());
    }
    node.CopyPageTemplate(page, "show.htm", message);

    CItemSet* set = node.GetItemSet();
    CCatalogueDb* catalogue = node.GetCatalogue();
    CRecord* record = set != nullptr ? set->GetCurrent() : nullptr;
    if (catalogue == nullptr || record == nullptr) {
        return false;
    }
    const int kind = set->GetCurrentKind();
    CMarkupNode* layout = FindLayout(*catalogue, kind, "summary");
    if (layout == nullptr) {
        layout = FindLayout(*catalogue, kind, {});
    }
    CMarkupNode* form = FindGuiInfoElement(kind, catalogue);
    if (form == nullptr) {
        return false;
    }
    bool hasElement = false;
    for (CMarkupNode* child = form->GetFirstChild(); child != nullptr; child = child->GetNextSibling()) {
        hasElement = hasElement || child->GetType() == "element";
    }
    if (!hasElement) {
        return true;
    }

    // The order and search buttons of the record's form.
    for (CMarkupNode* child = form->GetFirstChild(); child != nullptr; child = child->GetNextSibling()) {
        if (child->GetType() != "element") {
            continue;
        }
        const std::string control = child->GetAttribute("CNT_NAME");
        if (EqualsNoCase(control, "searchButton")) {
            SetWebSearchTemplate(child->GetAttribute("searchString"));
            page << "<A HREF=search.command> <IMG TITLE=\"Click here to search internet auctions/shops for "
                    "this "
                    "coin\" BORDER=0 SRC=\"searchit.jpg\"></A><br>";
            WriteCrLf(page);
        } else if (EqualsNoCase(control, "orderButton")) {
            const std::string orderable = child->GetAttribute("isOrderable");
            if (orderable.empty() || EqualsNoCase(set->GetFieldTextByName(orderable), "T")) {
                page << "<A HREF=order.command> <IMG BORDER=0 SRC=\"orderit.jpg\"></A><br><p>";
                WriteCrLf(page);
            }
            break;
        }
    }

    // The parent line: the record's owner (and its owner) before the record's name.
    const CNodeRef key = set->GetCurrentKey();
    if (IsFatherElement(kind, catalogue)) {
        CItemSet father = CItemSet::Children(catalogue, &key, kParentKind);
        if (father.MoveFirst()) {
            page << PageText(father.GetCurrentName()) << " - " << PageText(record->GetName());
            WriteCrLf(page);
        }
    }
    if (IsGrandfatherElement(kind, catalogue) && set->GetCurrentNumber() != 0) {
        CItemSet father = CItemSet::Children(catalogue, &key, kParentKind);
        if (father.MoveFirst()) {
            const std::string first = father.GetCurrentName();
            const CNodeRef fatherKey = father.GetCurrentKey();
            CItemSet grandfather = CItemSet::Children(catalogue, &fatherKey, kParentKind);
            if (grandfather.MoveFirst()) {
                page << PageText(first) << " - " << PageText(grandfather.GetCurrentName()) << " - "
                     << PageText(record->GetName());
                WriteCrLf(page);
            }
        }
    }

    PageLook look;
    int pictureNumber = 0;
    if (layout == nullptr) {
        page << LoadResString(kNoWebView);
        WriteCrLf(page);
    } else {
        for (CMarkupNode* element = layout->GetFirstChild(); element != nullptr;
             element = element->GetNextSibling()) {
            ++g_elementCounter;
            const std::string category = element->GetAttribute("elementCategory");
            if (EqualsNoCase(category, "backgroundElement")) {
                look.image = element->GetAttribute("image");
                look.colour = element->GetAttribute("color");
                continue;
            }
            const std::string fieldName = element->GetAttribute("fieldName");
            const bool isField = EqualsNoCase(category, "FieldElement");
            if (isField && EqualsNoCase(element->GetAttribute("subtype"), "Image")) {
                const auto file = WriteFieldPicture(*record, fieldName, pictureNumber, true);
                if (!file.empty()) {
                    std::string open;
                    std::string close;
                    const CFieldDef* def = FieldDefOf(*record, fieldName);
                    const std::string better =
                        def != nullptr && !def->GetReferralFieldName().empty()
                            ? TrimEnd(set->GetFieldTextByName(def->GetReferralFieldName()))
                            : std::string();
                    if (!better.empty()) {
                        open = "<A TITLE=\"Click here for a better picture\" HREF=\"" +
                               Escaped(WebLink(better)) + "\" TARGET=_blank >";
                        close = "</A>";
                    }
                    const std::string align = element->GetAttribute("align");
                    page << " " << open << " <IMG SRC=\"" << Escaped(file.string()) << "\""
                         << (align.empty() ? "" : " ALIGN=" + Escaped(align)) << " BORDER=0 >" << close;
                }
                WriteCrLf(page);
                continue;
            }
            char letter = 0;
            std::string text = element->GetAttribute("labelType");
            std::string value;
            if (isField) {
                value = FieldValue(*record, fieldName, &letter);
                const CFieldDef* def = FieldDefOf(*record, fieldName);
                if (def != nullptr && def->GetAdditionalFormatting() == 'Y' && EqualsNoCase(value, "AD")) {
                    text.clear();
                } else {
                    text = def == nullptr && !EqualsNoCase(fieldName, "GetDisplayString")
                               ? fieldName
                               : value.substr(0, std::min(value.size(), kShowValueMax));
                }
            }
            std::string html;
            WriteHtmlElement(html, text, *element);
            if (EqualsNoCase(category, "scroll")) {
                if (EqualsNoCase(element->GetAttribute("value"), "no")) {
                    look.scroll = false;
                }
                continue;
            }
            if (EqualsNoCase(category, "typeIconSmall") || EqualsNoCase(category, "typeIconLarge")) {
                page << "<SPAN>"
                     << IconTag(*catalogue, kind, EqualsNoCase(category, "typeIconLarge"), *element,
                                pictureNumber)
                     << "</SPAN>";
                page << "\r\n ";
            }
            if (letter == 'W') {
                html = TrimEnd(html);
                if (html.empty()) {
                    continue;
                }
                const std::string alternate = element->GetAttribute("alternateWeb");
                const std::string shown = alternate.empty() ? html : Escaped(alternate);
                page << "<SPAN > <A HREF=\"" << Escaped(WebLink(TrimEnd(value))) << "\" TARGET=_blank> "
                     << shown << " </A> </SPAN> ";
            } else if (letter == 'E') {
                page << "<SPAN > <A HREF=\"mailto:" << Escaped(TrimEnd(value)) << "\" > " << html
                     << " </A> </SPAN> ";
            } else {
                page << "<SPAN >" << html << " </SPAN> ";
            }
            WriteCrLf(page);
        }
    }
    page << "\r\n</BODY>\r\n</HTML>";
    page.close();
    look.Apply();
    return true;
}

void InstallNodeWebPages()
{
    static CNodeWebPages writer;
    if (GetNodePageWriter() == nullptr) {
        SetNodePageWriter(&writer);
    }
}
