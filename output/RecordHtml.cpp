#include "output/RecordHtml.h"

#include "codecs/CatalogueImage.h"
#include "codecs/TextException.h"
#include "output/HtmlElementWriter.h"
#include "output/HtmlPageWriter.h"
#include "output/WebLayout.h"
#include "platform/text/CaseFold.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/definitions/FieldDef.h"
#include "store/markup/MarkupNode.h"
#include "store/records/Record.h"
#include "store/program/TraceLog.h"
#include "store/records/WebAddress.h"
#include "store/records/WebImageTag.h"

#include <ostream>

namespace {

using platform::text::EqualsNoCase;

void WriteLine(std::ostream& out, std::string_view line)
{
    out.write(line.data(), static_cast<std::streamsize>(line.size()));
    WriteHtmlLineBreak(out);
}

std::string TrimBlanks(std::string text)
{
    const size_t end = text.find_last_not_of(' ');
    text.erase(end == std::string::npos ? 0 : end + 1);
    const size_t start = text.find_first_not_of(' ');
    text.erase(0, start == std::string::npos ? text.size() : start);
    return text;
}

// The IMG tag of the data file's small or large icon. The icon is the same for every record, so it is
// written once per folder and the later records name the same file.
std::string IconTag(CRecord& record, bool large, const CMarkupNode& element, WriteWebLayoutPage& writer,
                    const std::filesystem::path& folder)
{
    const int kind = record.GetKind();
    CCatalogueDb& catalogue = *record.GetCatalogue();
    const std::filesystem::path* known = writer.FindIconFile(catalogue, kind, large, folder);
    std::filesystem::path file;
    if (known != nullptr) {
        file = *known;
    } else {
        CCatalogueImage picture;
        const bool read = large ? catalogue.ReadImage(kind, picture) : catalogue.ReadAltImage(kind, picture);
        std::string ignored;
        if (read) {
            const int index = writer.TakePictureNumber();
            if (WriteImageTag(picture, ignored, index, element, folder, kind)) {
                file = WebPicturePath(folder, index);
            }
        } else {
            file = StockIconPath(folder, kind);
        }
        writer.KeepIconFile(catalogue, kind, large, folder, file);
    }
    std::string tag;
    if (!file.empty()) {
        AppendImageTag(tag, file, element);
    }
    return tag;
}

// The IMG tag of the picture in a picture field; empty when the record has none or it cannot be
// written. The picture is decoded into a copy: the record keeps its stored bytes (a later save writes
// them back unchanged) and a long run of records does not hold every decoded picture in memory.
std::string FieldPictureTag(CRecord& record, const std::string& fieldName, const CMarkupNode& element,
                            WriteWebLayoutPage& writer, const std::filesystem::path& folder)
{
    const int field = record.FindFieldByName(fieldName);
    const std::shared_ptr<CCatalogueImage> stored = field >= 0 ? record.GetFieldPicture(field) : nullptr;
    if (stored == nullptr || !stored->IsValid()) {
        return {};
    }
    std::filesystem::path file;
    try {
        CCatalogueImage picture(*stored);
        if (!picture.HasBitmap()) {
            return {};
        }
        file = WebPicturePath(folder, writer.TakePictureNumber());
        picture.SaveToFile(file);
    } catch (const CTextException& error) {
        DebugLogString(error.GetMessage());
        return {};
    }
    const std::string align = element.GetAttribute("align");
    std::string tag = "<IMG SRC=\"" + EscapeHtml(file.string()) + "\"";
    if (!align.empty()) {
        tag += " ALIGN=" + EscapeHtml(align);
    }
    tag += ">";
    return tag;
}

std::string Span(std::string_view html)
{
    std::string line = "<SPAN >";
    line += html;
    line += " </SPAN> ";
    return line;
}

std::string FieldLine(CRecord& record, const CMarkupNode& element, WriteWebLayoutPage& writer)
{
    const std::string fieldName = element.GetAttribute("fieldName");
    std::string value;
    char kind = 0;
    if (EqualsNoCase(fieldName, "GetDisplayString")) {
        value = record.GetName();
    } else {
        const int field = record.FindFieldByName(fieldName);
        if (field >= 0) {
            value = record.GetFieldDisplayText(field);
            // The first field names the record: it is never shown as a link.
            if (field > 0) {
                kind = record.GetFieldDef(field)->GetKind();
            }
        }
    }
    std::string html;
    WriteHtmlElement(html, value, element);

    const std::string address = TrimBlanks(value);
    if (address.empty() || (kind != 'W' && kind != 'E')) {
        return Span(html);
    }
    std::string target;
    if (kind == 'W') {
        target = ExpandWebAddress(address, writer.GetWebSite());
        if (!HasWebScheme(target)) {
            target = "http://" + target;
        }
    } else {
        target = "mailto:" + address;
    }
    return "<SPAN > <A HREF=\"" + EscapeHtml(target) + "\" TARGET=_blank> " + html + " </A> </SPAN> ";
}

} // namespace

void RenderRecordHtml(CRecord& record, std::ostream& out, WriteWebLayoutPage& writer,
                      const std::filesystem::path& pictureFolder)
{
    CCatalogueDb* catalogue = record.GetCatalogue();
    if (catalogue == nullptr || record.GetDefinition() == nullptr) {
        return;
    }
    const CMarkupNode* layout = writer.FindRecordLayout(*catalogue, record.GetKind());
    if (layout == nullptr) {
        return;
    }
    for (const CMarkupNode* element = layout->GetFirstChild(); element != nullptr;
         element = element->GetNextSibling()) {
        const std::string category = element->GetAttribute("elementCategory");
        if (EqualsNoCase(category, "typeIconSmall") || EqualsNoCase(category, "typeIconLarge")) {
            const std::string tag =
                IconTag(record, EqualsNoCase(category, "typeIconLarge"), *element, writer, pictureFolder);
            if (!tag.empty()) {
                WriteLine(out, tag);
            }
        } else if (EqualsNoCase(category, "FieldElement")) {
            if (EqualsNoCase(element->GetAttribute("subtype"), "Image")) {
                const std::string tag = FieldPictureTag(record, element->GetAttribute("fieldName"), *element,
                                                        writer, pictureFolder);
                if (!tag.empty()) {
                    WriteLine(out, Span(tag));
                }
            } else {
                WriteLine(out, FieldLine(record, *element, writer));
            }
        } else if (!EqualsNoCase(category, "backgroundElement") && !EqualsNoCase(category, "scroll") &&
                   !EqualsNoCase(element->GetType(), "FieldList")) {
            // Labels, HTML elements and pictures of the layout itself.
            std::string html;
            WriteHtmlElement(html, element->GetAttribute("labelType"), *element);
            WriteLine(out, Span(html));
        }
    }
    out << "<P>";
}
