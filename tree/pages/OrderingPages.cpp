// The pages of the shopping cart and the placed orders. Most show the briefcase; a cart row shows the
// two pictures of the record it was ordered from.

#include "codecs/CatalogueImage.h"
#include "codecs/TextException.h"
#include "platform/text/HtmlEscape.h"
#include "store/markup/MarkupNode.h"
#include "store/program/Settings.h"
#include "store/program/TextFiles.h"
#include "store/program/TraceLog.h"
#include "store/records/ItemSet.h"
#include "store/records/NodeRef.h"
#include "store/records/Record.h"
#include "store/records/WebImageTag.h"
#include "tree/orders/OrderingNodes.h"
#include "tree/pages/PageTemplateFill.h"

#include <charconv>

namespace {

constexpr int kPictureSide = 131;
// Cart-row pictures take numbers of their own, apart from those of the record pages.
constexpr int kFirstShopItemPicture = 7000;

double ParseCode(const std::string& text)
{
    double code = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), code);
    return result.ec == std::errc() ? code : 0;
}

// The picture in the record's field, resized and written as the next cart-row picture, as an IMG tag;
// empty without a picture.
std::string WritePictureTag(CRecord* record, const std::string& fieldName, int& pictureNumber)
{
    if (record == nullptr || fieldName.empty()) {
        return {};
    }
    const int field = record->FindFieldByName(fieldName);
    const std::shared_ptr<CCatalogueImage> stored = field >= 0 ? record->GetFieldPicture(field) : nullptr;
    if (stored == nullptr || !stored->IsValid()) {
        return {};
    }
    try {
        // A copy: the record keeps its stored bytes.
        CCatalogueImage picture(*stored);
        if (!picture.HasBitmap()) {
            return {};
        }
        picture.Resize(kPictureSide, kPictureSide);
        const auto file = WebPicturePath(GetHtmDirectory(), pictureNumber);
        picture.SaveToFile(file);
        ++pictureNumber;
        std::string tag = "<IMG SRC=\"";
        platform::text::AppendHtmlEscaped(tag, file.string());
        return tag + "\">";
    } catch (const CTextException& error) {
        DebugLogString(error.GetMessage());
        return {};
    }
}

} // namespace

bool COrderingNode::FillPageTemplate(std::string& message)
{
    node_pages::CopyOwnTemplate(*this, message);
    node_pages::PlaceStockPicture("briefcase.jpg", "picture10.jpg");
    return true;
}

bool CShoppingCartNode::FillPageTemplate(std::string& message)
{
    node_pages::CopyOwnTemplate(*this, message);
    return true;
}

bool CShopItemNode::FillPageTemplate(std::string& message)
{
    // The record the row was ordered from; a row whose record is gone shows without pictures.
    CNodeRef key(&m_catalogue);
    key.SetFromCode(ParseCode(m_row->GetAttribute("referralId")), &m_catalogue);
    CItemSet record = CItemSet::WithCriteria(&m_catalogue, &key);
    CRecord* current = key.GetKind() != 0 && record.MoveFirst() ? record.GetCurrent() : nullptr;
    int pictureNumber = kFirstShopItemPicture;
    const std::string first = WritePictureTag(current, m_row->GetAttribute("Image1"), pictureNumber);
    const std::string second = WritePictureTag(current, m_row->GetAttribute("Image2"), pictureNumber);

    node_pages::CopyOwnTemplate(*this, message);
    ReplaceTextInWebPage("=PICTURE=", first);
    ReplaceTextInWebPage("=PICTURE1=", second);
    return true;
}
