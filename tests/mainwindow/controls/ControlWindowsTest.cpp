// The program's own controls on the display: each is built, driven through its handlers and keys, and
// checked by what it shows. With LUMARC_SCREENSHOTS set, each leaves a picture of itself there.

#include "mainwindow/common/WindowClasses.h"
#include "mainwindow/controls/DateCondition.h"
#include "mainwindow/controls/DateConditionDlg.h"
#include "mainwindow/controls/MonthCalendar.h"
#include "mainwindow/controls/MonthGrid.h"
#include "mainwindow/controls/NumismaticYearCtrl.h"
#include "mainwindow/controls/SearchField.h"
#include "mainwindow/controls/TelephoneTo.h"
#include "mainwindow/controls/TimeField.h"
#include "mainwindow/startup/OwnWindowClasses.h"

#include "platform/clock/Clock.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/program/Settings.h"
#include "store/records/ItemSet.h"
#include "store/regional/DateText.h"
#include "store/regional/RegionalSettings.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowShot.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/choice.h>
#include <wx/frame.h>
#include <wx/listbox.h>
#include <wx/radiobut.h>
#include <wx/spinctrl.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

using lumarc::test::SaveWindowShot;

using lumarc::test::Dialogs;

// A fixed "today" (14 May 2025) shifted by months, or a given day; local midnight.
std::time_t MakeLocalDateForTest(int monthShift = 0, int year = 2025, int month = 5, int day = 14)
{
    return MakeLocalDate(year, month + monthShift, day);
}

void Settle()
{
    for (int i = 0; i < 5; ++i) {
        wxMilliSleep(20);
        wxYield();
        wxTheApp->ProcessIdle(); // windows that asked to be destroyed go now
    }
}

class ControlWindows : public ::testing::Test
{
protected:
    void SetUp() override
    {
        LoadRegionalSettingsForLocale("en_US.utf8");
        Dialogs().Clear();
        m_frame = new wxFrame(nullptr, wxID_ANY, "controls", {50, 50}, {480, 360}); // deleted by wx
        m_page = new wxPanel(m_frame);
        m_frame->Show();
        Settle();
    }
    void TearDown() override
    {
        m_frame->Destroy();
        Settle();
        platform::clock::SetClockSource({});
        LoadRegionalSettings(platform::intl::RegionalValues{});
    }

    static void Key(wxWindow* window, wxEventType type, int code, bool shift = false)
    {
        wxKeyEvent event(type);
        event.m_keyCode = code;
        event.m_uniChar = code < 128 ? code : 0;
        event.m_shiftDown = shift;
        event.SetEventObject(window);
        window->GetEventHandler()->ProcessEvent(event);
    }

    // Whether a typed key reaches the text control's own editing (its handler skipped it).
    static bool PassesOn(wxWindow* window, int code)
    {
        wxKeyEvent event(wxEVT_CHAR);
        event.m_keyCode = code;
        event.m_uniChar = code < 128 ? code : 0;
        event.SetEventObject(window);
        return !window->GetEventHandler()->ProcessEvent(event);
    }

    wxFrame* m_frame = nullptr;
    wxPanel* m_page = nullptr;
};

// ---- search fields ---------------------------------------------------------------------------------

TEST_F(ControlWindows, SearchFieldGrowsToItsLeastSizeAndNamesItsParts)
{
    SearchFieldRecord record;
    auto* field = new CSearchField(m_page, 7, "Name", {10, 10}, {30, 14}, &record, false);
    EXPECT_EQ(field->GetSize(), wxSize(40, 20));
    ASSERT_NE(record.edit, nullptr);
    EXPECT_EQ(record.edit->GetId(), 700);
    EXPECT_EQ(record.edit->GetValue(), "Name"); // the caption, which means "no value"
    EXPECT_EQ(record.button->GetId(), 701);
    EXPECT_EQ(record.edit->GetSize().x, 24);
    EXPECT_EQ(record.button->GetName(), "SearchButton");
}

TEST_F(ControlWindows, OperatorListSetsTheOperatorOfItsField)
{
    SearchFieldRecord record;
    record.type = 'C';
    auto* field = new CSearchField(m_page, 3, "", {20, 20}, {200, 22}, &record, false);
    EXPECT_EQ(field->GetOperatorText(), "=");

    auto* list = OpenOperatorList(record);
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(record.listOpen);
    EXPECT_EQ(OpenOperatorList(record), nullptr); // one list at a time
    ASSERT_EQ(list->GetList()->GetCount(), 5u);
    // As wide as the edit box (184 pixels): the long texts.
    EXPECT_EQ(list->GetList()->GetString(0), "Equal");
    EXPECT_EQ(list->GetList()->GetString(2), "Contains");
    EXPECT_EQ(list->GetList()->GetSelection(), 0);
    SaveWindowShot(*m_frame, "search-operator-list");

    list->ChooseEntry(2);
    EXPECT_EQ(record.operatorCode, 14);
    EXPECT_EQ(field->GetOperatorText(), "CONTAIN");
    list->CloseList();
    Settle();
    EXPECT_FALSE(record.listOpen);
    EXPECT_EQ(record.dropList, nullptr);
    SaveWindowShot(*m_frame, "search-field-contains");

    field->SetOperatorCode(12);
    EXPECT_EQ(field->GetOperatorText(), "LIKE");
}

TEST_F(ControlWindows, NarrowYesNoListShowsShortForms)
{
    SearchFieldRecord record;
    record.type = 'b';
    new CSearchField(m_page, 4, "", {20, 20}, {80, 20}, &record, false);
    auto* list = OpenOperatorList(record);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->GetList()->GetCount(), 2u);
    EXPECT_EQ(list->GetList()->GetString(0), "F");
    EXPECT_EQ(list->GetList()->GetString(1), "T");
    list->ChooseEntry(1);
    EXPECT_EQ(record.operatorCode, 11);
    list->CloseList();
    Settle();
}

TEST_F(ControlWindows, DateConditionDialogStartsAtAnyDateAndBuildsTheCondition)
{
    platform::clock::SetClockSource([] { return MakeLocalDateForTest(); });
    CDateConditionDlg dialog(m_frame);
    dialog.Show();
    Settle();
    const auto enabled = [&](int id) { return dialog.FindWindow(id)->IsEnabled(); };
    EXPECT_TRUE(dynamic_cast<wxRadioButton*>(dialog.FindWindow(1011))->GetValue());
    for (int id : {1004, 1005, 1006, 1007, 1009, 1014, 1016}) {
        EXPECT_FALSE(enabled(id)) << id;
    }
    auto* on = dynamic_cast<wxTextCtrl*>(dialog.FindWindow(1004));
    auto* from = dynamic_cast<wxTextCtrl*>(dialog.FindWindow(1005));
    EXPECT_EQ(on->GetValue().utf8_string(), FormatTimeValue(MakeLocalDateForTest()));
    EXPECT_EQ(from->GetValue().utf8_string(), FormatTimeValue(MakeLocalDateForTest(-2)));

    dialog.Choose(DateChoice::kBetween);
    EXPECT_TRUE(enabled(1005));
    EXPECT_TRUE(enabled(1006));
    EXPECT_FALSE(enabled(1004));
    SaveWindowShot(dialog, "date-condition-dialog");
    ASSERT_TRUE(dialog.Accept());
    EXPECT_EQ(GetSharedDateCondition(), " Between DateValue('" + FormatTimeValue(MakeLocalDateForTest(-2)) +
                                            "') AND DateValue('" + FormatTimeValue(MakeLocalDateForTest()) +
                                            "')");

    dialog.Choose(DateChoice::kLastDays);
    dynamic_cast<wxSpinCtrl*>(dialog.FindWindow(1009))->SetValue(12);
    ASSERT_TRUE(dialog.Accept());
    EXPECT_EQ(GetSharedDateCondition(), " IN_THE_LAST_DAYH 12");

    // A typed date that is no date keeps the dialog open and the condition as it was.
    dialog.Choose(DateChoice::kOn);
    on->ChangeValue("45.45.2001");
    EXPECT_FALSE(dialog.Accept());
    EXPECT_EQ(GetSharedDateCondition(), " IN_THE_LAST_DAYH 12");
    EXPECT_FALSE(Dialogs().messages.empty());

    // Every date field reports the one condition; Cancel empties it for all of them.
    auto* first = new CSearchField(m_page, 5, "", {10, 10}, {120, 20}, nullptr, true);
    auto* second = new CSearchField(m_page, 6, "", {10, 40}, {120, 20}, nullptr, true);
    EXPECT_EQ(first->GetOperatorText(), " IN_THE_LAST_DAYH 12");
    EXPECT_EQ(second->GetOperatorText(), " IN_THE_LAST_DAYH 12");
    second->SetOperatorCode(2); // a date field has no operator
    EXPECT_EQ(second->GetOperatorText(), " IN_THE_LAST_DAYH 12");
    dialog.Reject();
    EXPECT_EQ(first->GetOperatorText(), "");
    EXPECT_EQ(second->GetOperatorText(), "");
    dialog.Hide();
}

// ---- month calendar --------------------------------------------------------------------------------

TEST_F(ControlWindows, CalendarMovesByKeysAndHandsBackTheChosenDay)
{
    std::time_t handed = 0;
    int handedCount = 0;
    auto* owner = new wxTextCtrl(m_page, wxID_ANY, "", {10, 250});
    auto* calendar = new CMonthCalendar(m_page, wxID_ANY, MakeLocalDateForTest(0, 2025, 3, 3), owner,
                                        [&](std::time_t date) {
                                            handed = date;
                                            ++handedCount;
                                        },
                                        {10, 10}, {280, 220});
    Settle();
    EXPECT_EQ(calendar->GetTitle(), "March 2025");
    EXPECT_EQ(calendar->GetGrid().rows, 6); // begins on a Saturday, 31 days
    EXPECT_EQ(calendar->GetSelectedDay(), 3);

    Key(calendar, wxEVT_KEY_DOWN, WXK_UP); // day 3 has no day a week before
    EXPECT_EQ(calendar->GetSelectedDay(), 3);
    Key(calendar, wxEVT_KEY_DOWN, WXK_DOWN);
    Key(calendar, wxEVT_KEY_DOWN, WXK_RIGHT);
    Key(calendar, wxEVT_KEY_DOWN, WXK_TAB);
    Key(calendar, wxEVT_KEY_DOWN, WXK_TAB, true);
    EXPECT_EQ(calendar->GetSelectedDay(), 11);
    SaveWindowShot(*calendar, "month-calendar");

    Key(calendar, wxEVT_KEY_DOWN, WXK_PAGEUP); // the next month, from its first
    EXPECT_EQ(calendar->GetTitle(), "April 2025");
    EXPECT_EQ(calendar->GetSelectedDay(), 1);
    Key(calendar, wxEVT_KEY_DOWN, WXK_PAGEDOWN);
    Key(calendar, wxEVT_KEY_DOWN, WXK_PAGEDOWN); // back to the last of the month before
    EXPECT_EQ(calendar->GetTitle(), "February 2025");
    EXPECT_EQ(calendar->GetSelectedDay(), 28);
    Key(calendar, wxEVT_KEY_DOWN, WXK_DOWN); // the last day has no day a week on
    EXPECT_EQ(calendar->GetSelectedDay(), 28);

    // A click selects; the corners change the month.
    const wxRect cell = calendar->CellRect(14);
    wxMouseEvent click(wxEVT_LEFT_DOWN);
    click.SetPosition(cell.GetPosition() + wxPoint(cell.width / 2, cell.height / 2));
    calendar->GetEventHandler()->ProcessEvent(click);
    EXPECT_EQ(calendar->GetSelectedDay(), 14);
    wxMouseEvent corner(wxEVT_LEFT_DOWN);
    corner.SetPosition({calendar->GetClientSize().x - 5, 5});
    calendar->GetEventHandler()->ProcessEvent(corner);
    EXPECT_EQ(calendar->GetTitle(), "March 2025");
    corner.SetPosition({5, 5});
    calendar->GetEventHandler()->ProcessEvent(corner);
    EXPECT_EQ(calendar->GetTitle(), "February 2025");
    EXPECT_EQ(calendar->GetSelectedDay(), 28);

    Key(calendar, wxEVT_KEY_DOWN, WXK_LEFT);
    Key(calendar, wxEVT_KEY_DOWN, WXK_RETURN);
    Settle();
    EXPECT_EQ(handedCount, 1);
    EXPECT_EQ(FormatTimeValue(handed), FormatTimeValue(MakeLocalDateForTest(0, 2025, 2, 27)));
}

TEST_F(ControlWindows, CalendarClosedWithoutChoosingHandsBackTheShownDate)
{
    std::time_t handed = 0;
    auto* calendar = new CMonthCalendar(m_page, wxID_ANY, MakeLocalDateForTest(0, 2024, 12, 20), nullptr,
                                        [&](std::time_t date) { handed = date; });
    Key(calendar, wxEVT_KEY_DOWN, WXK_LEFT); // selected, not chosen
    Key(calendar, wxEVT_KEY_DOWN, WXK_PAGEUP);
    calendar->Destroy();
    Settle();
    EXPECT_EQ(FormatTimeValue(handed), FormatTimeValue(MakeLocalDateForTest(0, 2025, 1, 1)));
}

TEST_F(ControlWindows, CalendarDoubleClickChoosesTheDay)
{
    std::time_t handed = 0;
    auto* calendar = new CMonthCalendar(m_page, wxID_ANY, MakeLocalDateForTest(0, 2025, 3, 3), nullptr,
                                        [&](std::time_t date) { handed = date; });
    const wxRect cell = calendar->CellRect(20);
    wxMouseEvent twice(wxEVT_LEFT_DCLICK);
    twice.SetPosition(cell.GetPosition() + wxPoint(2, 2));
    calendar->GetEventHandler()->ProcessEvent(twice);
    Settle();
    EXPECT_EQ(FormatTimeValue(handed), FormatTimeValue(MakeLocalDateForTest(0, 2025, 3, 20)));
}

// ---- numismatic year -------------------------------------------------------------------------------

TEST_F(ControlWindows, NumismaticYearShowsItsPartsAndTheirCommonEraYear)
{
    auto* year = new CNumismaticYearCtrl(m_page, wxID_ANY, {20, 20});
    EXPECT_EQ(year->GetSize().x, 182);
    EXPECT_EQ(year->GetEraList()->GetCount(), 13u);
    EXPECT_EQ(year->GetEraList()->GetStringSelection(), "AD");
    EXPECT_EQ(year->GetValueText(), "AD   ");

    year->SetValueText("AH A 1300 B");
    EXPECT_EQ(year->GetEraList()->GetStringSelection(), "AH");
    EXPECT_EQ(year->GetPreMark()->GetValue(), "A");
    EXPECT_EQ(year->GetYear()->GetValue(), "1300");
    EXPECT_EQ(year->GetPostMark()->GetValue(), "B");
    EXPECT_EQ(year->GetValueText(), "AH A 1300 B");
    EXPECT_FALSE(year->IsChanged());
    EXPECT_EQ(year->GetYearTip(), "1891 AD");
    EXPECT_EQ(year->GetEraTip(), "Arab Hegira");

    year->GetYear()->SetValue("1940/2/4");
    EXPECT_TRUE(year->IsChanged());
    EXPECT_EQ(year->GetEraList()->GetStringSelection(), "AH");
    year->GetEraList()->SetStringSelection("AD");
    EXPECT_EQ(year->GetValueText(), "AD A 1940/2/4 B");
    EXPECT_EQ(year->GetYearTip(), "1940 AD");
    year->GetEraList()->SetStringSelection("BE");
    year->GetYear()->SetValue("900");
    EXPECT_EQ(year->GetYearTip(), "Enter a year(s).Ranges as 1950-60 or 1940/2/4");

    year->SetValueText(""); // an empty text and "AD" change nothing
    year->SetValueText("AD");
    EXPECT_EQ(year->GetValueText(), "BE A 900 B");
    SaveWindowShot(*year, "numismatic-year");

    year->Enable(false);
    EXPECT_FALSE(year->GetYear()->IsEnabled());
    EXPECT_FALSE(year->GetEraList()->IsEnabled());

    auto* shown = new CNumismaticYearCtrl(m_page, wxID_ANY, {20, 60}, true);
    shown->SetValueText("JE  5700 ");
    EXPECT_EQ(shown->GetEraText()->GetValue(), "JE");
    EXPECT_FALSE(shown->GetEraText()->IsEditable());
}

TEST_F(ControlWindows, YearPartTakesOnlyDigitsDashAndSlash)
{
    auto* year = new CNumismaticYearCtrl(m_page, wxID_ANY, {20, 20});
    year->GetYear()->SetFocus();
    Settle();
    if (!year->GetYear()->HasFocus()) {
        GTEST_SKIP() << "no keyboard focus on this display";
    }
    wxUIActionSimulator keys;
    keys.Text("19a50-6x0");
    Settle();
    EXPECT_EQ(year->GetYear()->GetValue(), "1950-60");
    EXPECT_TRUE(year->IsChanged());
}

// ---- time field ------------------------------------------------------------------------------------

TEST_F(ControlWindows, TimeFieldClockAndTwelveHourKeys)
{
    // 10:15:30 local time.
    const std::time_t morning = MakeLocalDateForTest(0, 2025, 6, 2) + 10 * 3600 + 15 * 60 + 30;
    std::time_t now = morning;
    auto* time = new CTimeField(m_page, wxID_ANY, {20, 20}, {160, -1},
                                kTimeStartNow | kTimeTicking | kTimeSeconds, [&] { return now; });
    EXPECT_TRUE(time->IsTicking());
    EXPECT_EQ(time->GetValue(), "10:15:30 AM");
    now += 1;
    time->Tick();
    EXPECT_EQ(time->GetValue(), "10:15:31 AM");

    auto* field = new CTimeField(m_page, wxID_ANY, {20, 60}, {160, -1}, 0);
    EXPECT_FALSE(field->IsTicking());
    field->SetStoredText("1015");
    EXPECT_EQ(field->GetValue(), "10:15 AM");
    Key(field, wxEVT_CHAR, 'p');
    EXPECT_EQ(field->GetTime(), (TimeOfDay{22, 15, 0}));
    EXPECT_EQ(field->GetValue(), "10:15 PM");
    EXPECT_TRUE(field->IsChanged());
    EXPECT_EQ(field->GetStoredText(), "2215");
    Key(field, wxEVT_CHAR, 'x'); // dropped
    EXPECT_EQ(field->GetValue(), "10:15 PM");
    Key(field, wxEVT_CHAR, 'a');
    EXPECT_EQ(field->GetValue(), "10:15 AM");
    // The caret never stands in the suffix, and the keys that move it still do.
    EXPECT_LE(field->GetInsertionPoint(), 5);
    for (int key : {int(WXK_LEFT), int(WXK_END), int(WXK_DELETE), int(WXK_TAB), int('7')}) {
        EXPECT_TRUE(PassesOn(field, key)) << key;
    }
    EXPECT_FALSE(PassesOn(field, 'x'));
    EXPECT_FALSE(PassesOn(field, ':'));

    field->ChangeValue("7:45 AM");
    Key(field, wxEVT_KEY_UP, '5');
    EXPECT_EQ(field->GetTime(), (TimeOfDay{7, 45, 0}));
    EXPECT_EQ(field->GetValue(), "07:45 AM");
    SaveWindowShot(*m_frame, "time-fields");
}

TEST_F(ControlWindows, StopwatchCountsSecondsOnItsTimer)
{
    auto* watch =
        new CTimeField(m_page, wxID_ANY, {20, 20}, {160, -1}, kTimeTicking | kTimeStopwatch | kTimeSeconds);
    watch->SetSeconds(59);
    watch->Tick();
    EXPECT_EQ(watch->GetValue(), "00:00:60 AM");
    watch->Tick();
    EXPECT_EQ(watch->GetValue(), "00:01:00 AM");
    // The real timer ticks too.
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(2500);
    while (std::chrono::steady_clock::now() < until && watch->GetTime().seconds == 0) {
        wxMilliSleep(50);
        wxYield();
    }
    EXPECT_GT(watch->GetTime().seconds, 0);
}

// ---- dialler chooser -------------------------------------------------------------------------------

class RecordingDialler : public IDialler
{
public:
    bool Dial(std::string_view number) override
    {
        numbers.emplace_back(number);
        return true;
    }
    std::vector<std::string> numbers;
};

lumarc::test::DataFileSpec ContactsFile()
{
    lumarc::test::DataFileSpec file;
    file.number = 1;
    file.table = "CONTACTS";
    file.menuName = "Contact";
    file.strongName = "Contact";
    file.fields = {
        {.name = "NAME", .type = 'C', .length = 40, .title = true},
        {.name = "PHONE", .type = 'C', .length = 30, .kind = 'T'},
        {.name = "FAX", .type = 'C', .length = 30},
        {.name = "MOBILE", .type = 'C', .length = 30, .kind = 'T'},
    };
    return file;
}

class Dialler : public ControlWindows
{
protected:
    void SetUp() override
    {
        ControlWindows::SetUp();
        const auto path =
            lumarc::test::CatalogueBuilder(lumarc::test::MakeTempFolder("dial") / "contacts.ctg")
                .DataFile(ContactsFile())
                .Build();
        m_catalogue = std::make_unique<CCatalogueDb>(path);
    }
    void TearDown() override
    {
        ControlWindows::TearDown();
        m_catalogue.reset();
    }

    CItemSet SetOf(const std::map<std::string, std::string>& values)
    {
        const CNodeRef key = lumarc::test::AddRecord(*m_catalogue, 1, 0, values);
        CItemSet items(m_catalogue.get());
        EXPECT_TRUE(items.AddRecordByKey(key));
        items.MoveFirst();
        return items;
    }

    std::unique_ptr<CCatalogueDb> m_catalogue;
    RecordingDialler m_dialler;
};

TEST_F(Dialler, RecordWithoutNumbersGetsAMessage)
{
    CItemSet items = SetOf({{"NAME", "Nobody"}, {"PHONE", "   "}, {"FAX", "0441"}});
    EXPECT_EQ(CreateTelephoneTo(m_page, wxID_ANY, {10, 10}, &items, m_dialler), nullptr);
    ASSERT_EQ(Dialogs().messages.size(), 1u);
    EXPECT_EQ(Dialogs().messages[0].text, "This item does NOT contains telephone numbers.");
    EXPECT_EQ(Dialogs().messages[0].caption, "Information");
    EXPECT_TRUE(m_dialler.numbers.empty());
}

TEST_F(Dialler, SingleNumberIsDialledAtOnce)
{
    CItemSet items = SetOf({{"NAME", "Mint"}, {"MOBILE", "+41 79 555 01 02"}});
    EXPECT_EQ(CreateTelephoneTo(m_page, wxID_ANY, {10, 10}, &items, m_dialler), nullptr);
    EXPECT_EQ(m_dialler.numbers, std::vector<std::string>{"+41 79 555 01 02"});
    EXPECT_TRUE(Dialogs().messages.empty());
}

TEST_F(Dialler, ChooserDialsTheSelectedNumber)
{
    CItemSet items = SetOf({{"NAME", "Dealer"}, {"PHONE", "044 123 45 67"}, {"MOBILE", "079 765 43 21"}});
    CTelephoneTo* chooser = CreateTelephoneTo(m_page, wxID_ANY, {10, 10}, &items, m_dialler);
    ASSERT_NE(chooser, nullptr);
    ASSERT_EQ(chooser->GetNumbers()->GetCount(), 2u);
    EXPECT_EQ(chooser->GetNumbers()->GetString(0), "          PHONE: 044 123 45 67");
    EXPECT_EQ(chooser->GetNumbers()->GetSelection(), 0);
    SaveWindowShot(*chooser, "telephone-chooser");
    chooser->GetNumbers()->SetSelection(1);
    chooser->DialSelected();
    EXPECT_EQ(m_dialler.numbers, std::vector<std::string>{"079 765 43 21"});
}

TEST_F(Dialler, VerideInTheProductFolderGetsTheNumberAsItsOnlyArgument)
{
    const auto folder = lumarc::test::MakeTempFolder("product");
    SetSettingString("productDir", folder.string());
    const auto record = folder / "called.txt";
    const auto program = folder / "VERIDE.exe";
    {
        std::ofstream script(program);
        script << "#!/bin/sh\nprintf '%s|' \"$#\" \"$@\" > '" << record.string() << ".tmp'\nmv '"
               << record.string() << ".tmp' '" << record.string() << "'\n";
    }
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);

    CVerideDialler dialler;
    ASSERT_TRUE(dialler.Dial("+41 44 '1'; rm -rf x"));
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!std::filesystem::exists(record) && std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    std::ifstream in(record);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "1|+41 44 '1'; rm -rf x|");

    std::filesystem::remove(program);
    EXPECT_FALSE(dialler.Dial("123"));
    ASSERT_EQ(Dialogs().messages.size(), 1u);
    EXPECT_NE(Dialogs().messages[0].text.find("VERIDE.exe"), std::string::npos);
}

// ---- registry --------------------------------------------------------------------------------------

TEST_F(ControlWindows, RegistryMakesEachControlByItsClassName)
{
    RegisterOwnWindowClasses();
    const struct
    {
        const char* name;
        const char* made;
    } cases[] = {{"search", "Search"},
                 {"SEARCHDATE", "SearchDate"},
                 {"SearchButton", "SearchButton"},
                 {"SearchDateButton", "SearchDateButton"},
                 {"numismaticyear", "NumismaticYear"},
                 {"NumYear", "NumYear"},
                 {"editNY", "editNY"},
                 {"DateTypeCombo", "DateTypeCombo"},
                 {"Month", "Month"},
                 {"time", "Time"}};
    for (const auto& c : cases) {
        wxWindow* window = CreateOwnWindow(c.name, m_page, wxID_ANY, {5, 5}, {120, 22});
        ASSERT_NE(window, nullptr) << c.name;
        EXPECT_EQ(WindowClassOf(window), c.made) << c.name;
    }
    // Without a record the dialler chooser has nothing to offer.
    EXPECT_EQ(CreateOwnWindow("TelephoneTo", m_page), nullptr);
    EXPECT_EQ(Dialogs().messages.size(), 1u);

    const auto names = RegisteredWindowClasses();
    const auto at = [&](const char* name) {
        return std::find(names.begin(), names.end(), name) - names.begin();
    };
    EXPECT_LT(at("SearchListBox"), at("TelephoneTo"));
    EXPECT_LT(at("TelephoneTo"), at("NumismaticYear"));
    EXPECT_LT(at("NumismaticYear"), at("Month"));
    EXPECT_LT(at("Month"), at("Time"));
}

} // namespace
