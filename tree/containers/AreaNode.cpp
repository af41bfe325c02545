#include "tree/containers/AreaNode.h"

#include "codecs/CatalogueImage.h"
#include "platform/text/CaseFold.h"
#include "platform/ui/DialogService.h"
#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/program/Settings.h"
#include "store/program/TraceLog.h"
#include "store/records/FolderRecord.h"
#include "store/records/ItemSet.h"
#include "tree/base/ImageKinds.h"
#include "tree/base/NodeInterfaces.h"
#include "tree/base/TextPatterns.h"

#include <filesystem>
#include <memory>
#include <optional>

namespace {

constexpr int kStringCatalogue = 33021;
constexpr int kStringFolderAndFile = 200;
constexpr int kStringFile = 33036;
constexpr int kStringContains = 33048;
constexpr int kStringCopyChildren = 531;
constexpr int kStringInformation = 20553;

bool UsesCataloguePictures()
{
    return !platform::text::EqualsNoCase(GetSettingString("Newlook", "true"), "false");
}

bool SameCatalogueFile(const CCatalogueDb* a, const CCatalogueDb* b)
{
    if (a == b) {
        return true;
    }
    return a != nullptr && b != nullptr &&
           a->GetFilePath().lexically_normal() == b->GetFilePath().lexically_normal();
}

} // namespace

CAreaNode::CAreaNode(CCatalogueDb& catalogue, CFolderRecord* folder, int kind)
    : CContainerNode(catalogue, folder, kind)
{
    SetPageTemplate("singleFile.htm");
    if (kind == node_kind::kToDo) {
        SetImages(image_kind::kToDo, image_kind::kToDo);
    } else if (kind == node_kind::kBookmarks) {
        SetImages(image_kind::kBookmarks, image_kind::kBookmarks);
    }
}

void CAreaNode::PrepareImagesFor(CTreeControl& tree)
{
    if (!m_pictureTaken) {
        m_pictureTaken = TakeDataFilePicture(*this, *m_catalogue, GetKind(), tree);
    }
}

bool TakeDataFilePicture(CTreeNode& node, CCatalogueDb& catalogue, int kind, CTreeControl& tree)
{
    if (!tree.IsTreePane()) {
        return false;
    }
    if (kind >= 1 && kind <= 19 && UsesCataloguePictures()) {
        CCatalogueImage picture;
        if (catalogue.ReadAltImage(kind, picture)) {
            if (const int index = tree.AddImage(picture); index >= 0) {
                node.SetImages(index + image_kind::kRunTimeBase, index + image_kind::kRunTimeBase);
            }
        }
    }
    return true;
}

bool CAreaNode::IsEditable()
{
    return m_catalogue == nullptr || !m_catalogue->IsViewOnly();
}

bool CAreaNode::CanBeLinked()
{
    return !m_catalogue->IsViewOnly();
}

bool CAreaNode::CanAcceptMove(CItemSet* set)
{
    if (m_catalogue->IsViewOnly()) {
        return false;
    }
    if (CanPasteFolders(true)) {
        return true;
    }
    if (set == nullptr || set->GetCurrent() == nullptr) {
        return false;
    }
    if (set->GetCurrentKind() != GetKind() || !SameCatalogueFile(set->GetCatalogue(), m_catalogue)) {
        return false;
    }
    return m_folder == nullptr || set->GetCurrentParent() != m_folder->GetNumber();
}

bool CAreaNode::CanAcceptCopy(CItemSet* set)
{
    if (m_catalogue->IsViewOnly()) {
        return false;
    }
    if (CanPasteFolders(false)) {
        return true;
    }
    if (set == nullptr || set->GetCurrent() == nullptr) {
        return false;
    }
    if (!SameCatalogueFile(set->GetCatalogue(), m_catalogue)) {
        return CanCopyFromOtherCatalogue(*this, *set, GetKind());
    }
    if (m_folder != nullptr && set->GetCurrentParent() == m_folder->GetNumber()) {
        return false;
    }
    return set->GetCurrentKind() == GetKind();
}

std::function<int(CItemSet&)> CAreaNode::CopyModes()
{
    auto withChildren = std::make_shared<std::optional<bool>>();
    return [withChildren](CItemSet& set) {
        if (!HasChildListElement(set.GetCurrentKind(), set.GetCatalogue())) {
            return CRecordCopier::kNotesAndFiles;
        }
        if (!withChildren->has_value()) {
            *withChildren =
                platform::ui::ShowMessage(
                    LoadResString(kStringCopyChildren), LoadResString(kStringInformation),
                    platform::ui::kMbYesNo | platform::ui::kMbIconQuestion) == platform::ui::kIdYes;
        }
        return **withChildren ? CRecordCopier::kAllSubRecords : CRecordCopier::kNotesAndFiles;
    };
}

std::vector<std::string> CAreaNode::GetStatusText()
{
    DebugLogString("Status Bar");
    std::string where = m_folder != nullptr ? FillTwoTexts(LoadResString(kStringFolderAndFile),
                                                           m_folder->GetName(), GetName())
                                            : FillTextPattern(LoadResString(kStringFile), GetName());
    return {FillTextPattern(LoadResString(kStringCatalogue), m_catalogue->GetName()), std::move(where),
            FillCountPattern(LoadResString(kStringContains), GetItemSet()->GetCount())};
}
