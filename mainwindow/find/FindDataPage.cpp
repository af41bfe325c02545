#include "mainwindow/find/FindDataPage.h"

#include "mainwindow/controls/SearchField.h"
#include "mainwindow/controls/SearchOperators.h"
#include "platform/text/CaseFold.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/definitions/DataFileDef.h"
#include "store/markup/MarkupNode.h"
#include "store/records/ItemSet.h"

#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/listbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>

namespace {

using platform::text::EqualsNoCase;
using Kind = CriteriaField::Kind;

std::string TrimRight(std::string text)
{
    while (!text.empty() && text.back() == ' ') {
        text.pop_back();
    }
    return text;
}

constexpr int kMargin = 8;
constexpr int kScrollStep = 10;

// The help topic of a search field by the record form's class of its field.
std::string DataFieldHelpKey(const std::string& cls)
{
    static const struct
    {
        const char* cls;
        const char* key;
    } kKeys[] = {
        {"edit", "KV.EDITFIELD"},         {"comboBox", "KV.COMBOFIELD"}, {"fatherBox", "KV.COMBOFIELD"},
        {"Time", "KV.TIMEFIELD"},         {"Date", "KV.DATEFIELD"},      {"Fax", "KV.FAXFIELD"},
        {"Telephone", "KV.TELFIELD"},     {"Integer", "KV.INTFIELD"},    {"Percentage", "KV.PERCFIELD"},
        {"Currency", "KV.CURRENCYFIELD"},
    };
    for (const auto& key : kKeys) {
        if (EqualsNoCase(cls, key.cls)) {
            return key.key;
        }
    }
    return {};
}

bool IsLeftOut(const std::string& cls)
{
    for (const char* name : {"Color", "bitmapShow", "childList", "SearchButton", "OrderButton"}) {
        if (EqualsNoCase(cls, name)) {
            return true;
        }
    }
    return false;
}

bool HiddenWhenViewOnly(CCatalogueDb* catalogue, CMarkupNode& element)
{
    return catalogue->IsViewOnly() && element.GetAttributeInt("hideWhenViewOnly") == 1;
}

// The type letter and starting operator of a field by its class.
void TypeOfClass(const std::string& cls, char& type, int& op)
{
    op = kOpEqual;
    type = 0;
    if (EqualsNoCase(cls, "fatherBox")) {
        type = 'F';
    } else if (EqualsNoCase(cls, "comboBox")) {
        type = 'C';
    } else if (EqualsNoCase(cls, "button")) {
        type = 'B';
    } else if (EqualsNoCase(cls, "Currency")) {
        type = 'U';
    } else if (EqualsNoCase(cls, "Date")) {
        type = 'D';
    } else if (EqualsNoCase(cls, "Integer") || EqualsNoCase(cls, "Percentage")) {
        type = 'I';
    } else if (EqualsNoCase(cls, "edit") || EqualsNoCase(cls, "WWW") || EqualsNoCase(cls, "File") ||
               EqualsNoCase(cls, "Telephone")) {
        type = 'C';
        op = kOpContain;
    } else if (EqualsNoCase(cls, "NumismaticYear")) {
        type = 'N';
        op = kOpContain;
    }
}

// The names and element codes of the records of a data file.
void ReadRecords(CCatalogueDb* catalogue, int dataFile, std::vector<std::string>& names,
                 std::vector<double>& codes)
{
    CItemSet set = CItemSet::Query(catalogue, dataFile, nullptr, false);
    for (bool more = set.MoveFirst(); more; more = set.MoveNext()) {
        names.push_back(TrimRight(set.GetCurrentName()));
        codes.push_back(set.GetCurrentKey().GetCode());
    }
}

CMarkupNode* FormOf(CCatalogueDb* catalogue, int dataFile)
{
    return catalogue != nullptr ? FindGuiInfoElement(dataFile, catalogue) : nullptr;
}

} // namespace

FindDataPage::FindDataPage(wxWindow* parent, CCatalogueDb* catalogue, int dataFile, int formPage)
    : wxScrolledWindow(parent, wxID_ANY)
{
    CMarkupNode* form = FormOf(catalogue, dataFile);
    const CDataFileDef* definition = catalogue != nullptr ? catalogue->FindDefinition(dataFile) : nullptr;
    if (form == nullptr || definition == nullptr) {
        return;
    }
    form->SortChildren("Y", "X");
    int rowHeight = 0;
    for (CMarkupNode* element = form->GetFirstChild(); element != nullptr;
         element = element->GetNextSibling()) {
        if (!EqualsNoCase(element->GetType(), "element") || element->GetAttributeInt("PAGEN") != formPage) {
            continue;
        }
        const std::string cls = TrimRight(element->GetAttribute("CNT_NAME"));
        const std::string content = TrimRight(element->GetAttribute("CONTENT"));
        const int index = element->GetAttributeInt("0");
        const wxPoint pos(element->GetAttributeInt("X"), element->GetAttributeInt("Y") - 10);
        const wxSize size(element->GetAttributeInt("LENGTH"), element->GetAttributeInt("DEPTH"));
        const wxString caption = wxString::FromUTF8(content);
        if (EqualsNoCase(cls, "multichildList")) {
            Entry entry;
            entry.fieldIndex = index;
            entry.kind = Kind::kLinkList;
            entry.type = 'M';
            entry.referralFile = element->GetAttributeInt("referralFileNumber");
            auto* list = new wxListBox(this, index, pos, size, 0, nullptr, wxLB_MULTIPLE | wxVSCROLL);
            std::vector<std::string> names;
            ReadRecords(catalogue, entry.referralFile, names, entry.codes);
            for (const std::string& name : names) {
                list->Append(wxString::FromUTF8(name));
            }
            entry.window = list;
            m_entries.push_back(std::move(entry));
            continue;
        }
        if (index >= 100 && !EqualsNoCase(cls, "ProductListCC")) {
            // A decoration: a label, a frame or a picture of the form.
            new wxStaticText(this, wxID_ANY, caption, pos, size);
            continue;
        }
        if (IsLeftOut(cls) || EqualsNoCase(cls, "static")) {
            continue;
        }
        if (!EqualsNoCase(cls, "comboBox")) {
            rowHeight = size.y;
        }
        if (EqualsNoCase(cls, "Time") || HiddenWhenViewOnly(catalogue, *element)) {
            continue;
        }
        Entry entry;
        entry.fieldIndex = index;
        entry.caption = content;
        entry.formClass = cls;
        entry.column = definition->GetFieldName(index);
        int op = kOpEqual;
        TypeOfClass(cls, entry.type, op);
        if (EqualsNoCase(cls, "fatherBox") || EqualsNoCase(cls, "comboBox")) {
            const bool parent = EqualsNoCase(cls, "fatherBox");
            entry.kind = parent ? Kind::kParentChooser : Kind::kChoiceBox;
            std::vector<std::string> names;
            std::vector<double> codes;
            const int referral = definition->GetField(index).GetReferralFileNumber();
            ReadRecords(catalogue, referral != 0 ? referral : element->GetAttributeInt("referralFileNumber"),
                        names, codes);
            auto* box = new wxComboBox(this, index, caption, pos, wxSize(size.x, -1));
            for (const std::string& name : names) {
                box->Append(wxString::FromUTF8(name));
            }
            if (parent) {
                entry.codes = std::move(codes);
            }
            entry.window = box;
        } else if (EqualsNoCase(cls, "button")) {
            entry.kind = Kind::kCheckBox;
            entry.window = new wxCheckBox(this, index, caption, pos, size);
        } else {
            const bool date = EqualsNoCase(cls, "date");
            entry.record = std::make_unique<SearchFieldRecord>();
            entry.record->type = entry.type != 0 ? entry.type : 'C';
            entry.record->operatorCode = op;
            const wxSize fieldSize(size.x, date ? size.y : (rowHeight >= 22 ? rowHeight : 21));
            auto* field = new CSearchField(this, index, caption, pos, fieldSize, entry.record.get(), date);
            field->SetOperatorCode(op);
            entry.window = field;
        }
        m_entries.push_back(std::move(entry));
    }
    // The page scrolls over the whole form; a field taking the focus is scrolled into view.
    wxRect extent;
    for (const wxWindow* child : GetChildren()) {
        extent.Union(child->GetRect());
    }
    SetVirtualSize(extent.GetRight() + kMargin, extent.GetBottom() + kMargin);
    SetScrollRate(kScrollStep, kScrollStep);
    Bind(wxEVT_CHILD_FOCUS, &FindDataPage::OnChildFocus, this);
    if (!m_entries.empty()) {
        wxWindow* first = m_entries.front().window;
        first->SetFocus();
        if (auto* field = dynamic_cast<CSearchField*>(first)) {
            field->GetEdit()->SelectAll();
        }
    }
}

FindDataPage::~FindDataPage() = default;

const FindDataPage::Entry* FindDataPage::FindEntry(int fieldIndex) const
{
    for (const Entry& entry : m_entries) {
        if (entry.fieldIndex == fieldIndex) {
            return &entry;
        }
    }
    return nullptr;
}

void FindDataPage::OnChildFocus(wxChildFocusEvent& event)
{
    event.Skip();
    // The field holding the focused window: a search field is a panel of an edit and a button.
    wxWindow* field = event.GetWindow();
    while (field != nullptr && field->GetParent() != this) {
        field = field->GetParent();
    }
    if (field == nullptr) {
        return;
    }
    const wxRect rect = field->GetRect(); // where it is shown now
    const wxSize client = GetClientSize();
    int x = 0, y = 0;
    GetViewStart(&x, &y);
    int stepX = 1, stepY = 1;
    GetScrollPixelsPerUnit(&stepX, &stepY);
    const auto moved = [](int start, int step, int low, int high, int length) {
        if (low < 0) {
            return start + (low - step + 1) / step;
        }
        if (high > length) {
            return start + (high - length + step - 1) / step;
        }
        return start;
    };
    Scroll(moved(x, std::max(stepX, 1), rect.GetLeft(), rect.GetRight() + 1, client.x),
           moved(y, std::max(stepY, 1), rect.GetTop(), rect.GetBottom() + 1, client.y));
}

std::string FindDataPage::HelpKeyOf(const wxWindow* control) const
{
    for (const wxWindow* window = control; window != nullptr && window != this;
         window = window->GetParent()) {
        if (dynamic_cast<const CSearchButton*>(window) != nullptr) {
            return "KV.SEARCH_CONTROL";
        }
        for (const Entry& entry : m_entries) {
            if (entry.window == window && entry.fieldIndex < 100) {
                return DataFieldHelpKey(entry.formClass);
            }
        }
    }
    return {};
}

CriteriaField FindDataPage::ToCriteria(const Entry& entry) const
{
    CriteriaField field;
    field.kind = entry.kind;
    field.column = entry.column;
    field.type = entry.type;
    field.caption = entry.caption;
    field.fieldIndex = entry.fieldIndex;
    switch (entry.kind) {
    case Kind::kLinkList: {
        wxArrayInt selected;
        static_cast<wxListBox*>(entry.window)->GetSelections(selected);
        for (size_t i = 0; i < selected.size() && i < 100; ++i) {
            field.codes.push_back(entry.codes.at(static_cast<size_t>(selected[i])));
        }
        break;
    }
    case Kind::kParentChooser:
    case Kind::kChoiceBox: {
        auto* box = static_cast<wxComboBox*>(entry.window);
        field.text = box->GetValue().utf8_string();
        const int chosen = box->FindString(box->GetValue());
        if (entry.kind == Kind::kParentChooser && chosen != wxNOT_FOUND &&
            static_cast<size_t>(chosen) < entry.codes.size()) {
            field.hasChoice = true;
            field.codes = {entry.codes[static_cast<size_t>(chosen)]};
        }
        break;
    }
    case Kind::kCheckBox:
        field.checked = static_cast<wxCheckBox*>(entry.window)->GetValue();
        break;
    case Kind::kSearch: {
        auto* search = static_cast<CSearchField*>(entry.window);
        field.text = search->GetEdit()->GetValue().utf8_string().substr(0, 255);
        field.op = search->GetOperatorText();
        if (search->IsDateField()) {
            field.type = 'D';
        }
        break;
    }
    }
    return field;
}

void FindDataPage::AppendCriteria(std::string& criteria) const
{
    std::vector<CriteriaField> fields;
    for (const Entry& entry : m_entries) {
        fields.push_back(ToCriteria(entry));
    }
    AppendDataPageCriteria(criteria, fields);
}

int FindDataPage::GetLinkFileNumber() const
{
    for (const Entry& entry : m_entries) {
        if (entry.kind == Kind::kLinkList) {
            wxArrayInt selected;
            if (static_cast<wxListBox*>(entry.window)->GetSelections(selected) > 0) {
                return entry.referralFile;
            }
        }
    }
    return 0;
}

bool FindDataPage::NeedsDetails(CCatalogueDb* catalogue, int dataFile)
{
    CMarkupNode* form = FormOf(catalogue, dataFile);
    if (form == nullptr) {
        return false;
    }
    for (CMarkupNode* element = form->GetFirstChild(); element != nullptr;
         element = element->GetNextSibling()) {
        if (EqualsNoCase(element->GetType(), "element") && element->GetAttributeInt("PAGEN") == 1 &&
            !IsLeftOut(TrimRight(element->GetAttribute("CNT_NAME"))) &&
            !HiddenWhenViewOnly(catalogue, *element)) {
            return true;
        }
    }
    return false;
}
