#include "tree/catalogue/DataItemTypeCopy.h"

#include "platform/text/CaseFold.h"
#include "platform/ui/DialogService.h"
#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/definitions/BuiltinDataFiles.h"
#include "store/definitions/DataFileDef.h"
#include "store/markup/MarkupNode.h"
#include "store/records/ItemSet.h"
#include "store/records/WaitWindow.h"
#include "tree/base/NodeInterfaces.h"
#include "tree/base/TextPatterns.h"
#include "tree/catalogue/CatalogueRecordCopier.h"

#include <cctype>
#include <map>
#include <string>
#include <vector>

namespace {

using platform::text::EqualsNoCase;

constexpr int kStringTypeMissing = 11445;
constexpr int kStringInformation = 20553;
constexpr int kStringCopyFailed = 33420;
constexpr int kStringErrorCaption = 33365;
constexpr int kStringReferencesTables = 33082;
constexpr int kStringCopiedToo = 201;
constexpr size_t kMaxReferenced = 80;
constexpr size_t kMaxReferencedName = 29;

struct Referenced
{
    int number = 0;
    std::string name;
};

// The summary layout is named so; older catalogues mark it with an attribute of that name.
bool IsSummaryLayout(const CMarkupNode& node)
{
    std::string value;
    return EqualsNoCase(node.GetName(), "summary") || node.GetAttribute("summary", value);
}

// The user data file of `into` matching the definition; a built-in one (notes, lists) holding the same
// field names is no home for another catalogue's records.
int UserFileMatching(const CDataFileDef& definition, CCatalogueDb& into)
{
    const int number = definition.FindMatchingFile(&into);
    return IsBuiltinSlot(number) ? 0 : number;
}

bool IsElement(const CMarkupNode& node)
{
    return EqualsNoCase(node.GetType(), "element");
}

// The data files of `from` the form of `kind` refers to (child lists, parent and choice boxes) that `into`
// cannot match and that have a name, each once, in the form's order.
std::vector<Referenced> ReferencedTypes(CCatalogueDb& from, int kind, CCatalogueDb& into, CMarkupNode& form)
{
    std::vector<Referenced> list;
    const CDataFileDef* own = from.FindDefinition(kind);
    for (CMarkupNode* node = form.BeginWalk(); node != nullptr && list.size() < kMaxReferenced;
         node = form.NextWalk()) {
        if (!IsElement(*node)) {
            continue;
        }
        int number = 0;
        if (node->AttributeEquals("CNT_NAME", "multichildList") ||
            node->AttributeEquals("CNT_NAME", "childList")) {
            number = node->GetAttributeInt("referralFileNumber");
        } else if (node->AttributeEquals("CNT_NAME", "fatherBox") ||
                   node->AttributeEquals("CNT_NAME", "comboBox")) {
            std::string field = node->GetAttribute("CONTENT");
            if (field.empty()) {
                field = node->GetName();
            }
            for (int i = 0; own != nullptr && i < own->GetFieldCount(); ++i) {
                if (EqualsNoCase(own->GetFieldName(i), field)) {
                    number = own->GetFieldReferralFileNumber(i);
                }
            }
        }
        const CDataFileDef* referenced = number != kind ? from.FindDefinition(number) : nullptr;
        if (referenced == nullptr || referenced->GetMenuName().empty() ||
            UserFileMatching(*referenced, into) != 0) {
            continue;
        }
        const std::string name = referenced->GetMenuName().substr(0, kMaxReferencedName);
        bool seen = false;
        for (const Referenced& entry : list) {
            seen = seen || EqualsNoCase(entry.name, name);
        }
        if (!seen) {
            list.push_back({number, name});
        }
    }
    return list;
}

// A table name `into` has no data file of: the source's, else its start with the new number.
std::string FreeTableName(CCatalogueDb& into, const std::string& name, int number)
{
    if (into.FindDefinitionByName(name) == nullptr) {
        return name;
    }
    const std::string suffix = "_" + std::to_string(number);
    return name.substr(0, CDataFileDef::kFileNameWidth - 1 - suffix.size()) + suffix;
}

// Copies the nodes of `tree` in `from` whose "DataName" is `source` into `target`'s tree as `made`; a form's
// own name (23<number>...) follows the number. Returns whether any was copied.
bool CopyNodesOfFile(CMarkupNode* fromTree, CMarkupNode* intoTree, int source, int made,
                     const std::map<int, int>& renumbered)
{
    if (fromTree == nullptr || intoTree == nullptr) {
        return false;
    }
    const std::string oldName = "23" + std::to_string(source);
    bool copied = false;
    for (CMarkupNode* node = fromTree->GetFirstChild(); node != nullptr; node = node->GetNextSibling()) {
        const std::string& name = node->GetName();
        const bool formOfFile =
            name.rfind(oldName, 0) == 0 && (name.size() == oldName.size() ||
                                            !std::isdigit(static_cast<unsigned char>(name[oldName.size()])));
        if (node->GetAttribute("DataName") != std::to_string(source) && !formOfFile) {
            continue;
        }
        CMarkupNode* copy = intoTree->CreateChildCopy(*node);
        if (!copy->GetAttribute("DataName").empty()) {
            copy->SetAttribute("DataName", std::to_string(made));
        }
        if (formOfFile) {
            copy->SetName("23" + std::to_string(made) + copy->GetName().substr(oldName.size()));
        }
        for (CMarkupNode* element = copy->BeginWalk(); element != nullptr; element = copy->NextWalk()) {
            const auto found = renumbered.find(element->GetAttributeInt("referralFileNumber"));
            if (IsElement(*element) && found != renumbered.end()) {
                element->SetAttribute("referralFileNumber", std::to_string(found->second));
            }
        }
        copied = true;
    }
    return copied;
}

// The control data of the copied form's elements that `into` does not hold yet.
void CopyControlData(CCatalogueDb& from, CCatalogueDb& into, CMarkupNode& form)
{
    CMarkupNode* source = from.LoadCcInfo();
    CMarkupNode* target = into.LoadCcInfo();
    if (source == nullptr || target == nullptr) {
        return;
    }
    for (CMarkupNode* element = form.BeginWalk(); element != nullptr; element = form.NextWalk()) {
        CMarkupNode* data = IsElement(*element) ? source->FindFirstByName(element->GetName()) : nullptr;
        if (data != nullptr && target->FindFirstByName(element->GetName()) == nullptr) {
            target->CreateChildCopy(*data);
        }
    }
}

// Makes the data file `number` of `from` in `into`: its definition (references renumbered to the types
// made or matched there), its table, forms and summary web layout. 0 when it could not be made.
int CreateDataFileFrom(CCatalogueDb& from, int number, CCatalogueDb& into, std::map<int, int>& renumbered)
{
    CDataFileDef definition(&from);
    if (!definition.SelectFile(number)) {
        return 0;
    }
    const int made = into.NextDataFileNumber();
    definition.Bind(&into);
    definition.SetFileNumber(made);
    definition.SetFileName(FreeTableName(into, definition.GetFileName(), made));
    for (int i = 0; i < definition.GetFieldCount(); ++i) {
        const int referral = definition.GetFieldReferralFileNumber(i);
        if (referral == 0) {
            continue;
        }
        const auto found = renumbered.find(referral);
        const CDataFileDef* referenced = from.FindDefinition(referral);
        definition.SetFieldReferralFileNumber(
            i, found != renumbered.end() ? found->second
                                         : (referenced != nullptr ? UserFileMatching(*referenced, into) : 0));
    }
    if (!into.StoreDefinition(definition) ||
        !into.UpdateTables(definition.GetFileName(), definition.GetStoredTableNumber(),
                           definition.IsOnlyChild(), definition.GetMenuFlag(), definition.GetStrongName())) {
        return 0;
    }
    renumbered[number] = made;
    if (CopyNodesOfFile(from.GetGuiInfo(), into.GetGuiInfo(), number, made, renumbered)) {
        if (CMarkupNode* copied = FindGuiInfoElement(made, &into)) {
            CopyControlData(from, into, *copied);
        }
        into.SaveGuiInfo(into.LoadCcInfo(), into.GetGuiInfo());
    }
    CMarkupNode* templates = from.GetWebTemplates();
    for (CMarkupNode* node = templates != nullptr ? templates->GetFirstChild() : nullptr; node != nullptr;
         node = node->GetNextSibling()) {
        if (node->GetAttribute("DataName") == std::to_string(number) && IsSummaryLayout(*node) &&
            node->AttributeEquals("layoutType", "HTML") && into.GetWebTemplates() != nullptr) {
            into.GetWebTemplates()->CreateChildCopy(*node)->SetAttribute("DataName", std::to_string(made));
            into.SaveWebTemplates();
            break;
        }
    }
    return made;
}

bool Fail()
{
    CloseWaitWindow();
    platform::ui::ShowMessage(LoadResString(kStringCopyFailed), LoadResString(kStringErrorCaption),
                              platform::ui::kMbOk | platform::ui::kMbIconError);
    return false;
}

} // namespace

bool CopyDataItemTypeInto(CCatalogueDb& from, int kind, CCatalogueDb& into)
{
    if (platform::ui::ShowMessage(LoadResString(kStringTypeMissing), LoadResString(kStringInformation),
                                  platform::ui::kMbYesNo | platform::ui::kMbIconInformation) !=
        platform::ui::kIdYes) {
        return false;
    }
    CMarkupNode* form = FindGuiInfoElement(kind, &from);
    const CDataFileDef* own = from.FindDefinition(kind);
    if (form == nullptr || own == nullptr) {
        return Fail();
    }
    const std::vector<Referenced> referenced = ReferencedTypes(from, kind, into, *form);
    if (!referenced.empty()) {
        std::string text = FillTextPattern(LoadResString(kStringReferencesTables), own->GetMenuName());
        for (const Referenced& entry : referenced) {
            text += entry.name + "\n";
        }
        platform::ui::ShowMessage(text + LoadResString(kStringCopiedToo), LoadResString(kStringInformation),
                                  platform::ui::kMbOk | platform::ui::kMbIconInformation);
    }
    ShowWaitWindow();
    std::map<int, int> renumbered;
    for (const Referenced& entry : referenced) {
        if (CreateDataFileFrom(from, entry.number, into, renumbered) == 0) {
            return Fail();
        }
    }
    if (CreateDataFileFrom(from, kind, into, renumbered) == 0) {
        return Fail();
    }
    // The records of the referred types come along, so that the copied items' references find them.
    for (const Referenced& entry : referenced) {
        CItemSet records = CItemSet::Query(&from, entry.number, nullptr, false);
        if (records.GetCount() > 0 &&
            CopyRecordsToCatalogue(records, into, renumbered[entry.number], 0, [](CItemSet&) {
                return CRecordCopier::kNotesAndFiles;
            }).failed) {
            return Fail();
        }
    }
    CloseWaitWindow();
    return true;
}
