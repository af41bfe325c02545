#pragma once
// The criteria text of a search, piece by piece: what each field of the find pane's pages adds to the
// WHERE conditions of one search. Pure text work, so every spacing is tested without a display.
//
// A piece begins with " AND " only when a condition stands before it. The numismatic-year piece
// (" ISSUEYEAR <year> ") is no condition: the item set blanks it out before the statement runs, so a
// piece behind it still begins without " AND ".
//
// User text never changes the statement: values are quoted with every ' doubled, a currency amount is
// written unquoted only when it is a number, a '[' in a Like pattern is bracketed (the user's * ? # stay
// wildcards), and column names come from the data file's definition.

#include <string>
#include <string_view>
#include <vector>

// A data page takes at most this many entries into its criteria; later ones are shown but ignored.
inline constexpr size_t kMaxCriteriaEntries = 41;

// One entry of a data page as the criteria see it.
struct CriteriaField
{
    enum class Kind
    {
        kLinkList,      // "multichildList": the selected records' element codes
        kParentChooser, // "fatherBox": the chosen record's element code
        kChoiceBox,     // "comboBox": the text
        kCheckBox,      // "button": checked or not
        kSearch,        // "Search" and "SearchDate" fields
    };
    Kind kind = Kind::kSearch;
    std::string column;        // the field's column name (fieldName)
    char type = 0;             // type letter: 'U' currency, 'D' date, 'N' numismatic year, 'C', 'I', ...
    std::string text;          // what the window shows
    std::string caption;       // the text it starts with; an unchanged caption means "no value"
    std::string op;            // operator text ("=", ">", "<", "LIKE", "CONTAIN"); a date field's condition
    bool checked = false;      // check box
    bool hasChoice = false;    // parent chooser: an entry is selected
    std::vector<double> codes; // link list: selected element codes; parent chooser: the chosen one
    int fieldIndex = 0;        // above 100: a decoration, never a criterion
};

// True when the text holds a condition (anything but blanks and ISSUEYEAR pieces).
bool HasCondition(std::string_view criteria);

// Appends one entry's piece (nothing when it has no value).
void AppendFieldCriteria(std::string& criteria, const CriteriaField& field);
// Appends the pieces of a data page's entries in order, the first kMaxCriteriaEntries only.
void AppendDataPageCriteria(std::string& criteria, const std::vector<CriteriaField>& fields);

// The choices of a date page, by the ids of their radio buttons.
enum class DatePageChoice : int
{
    kAnyDate = 1011,
    kOn = 1000,
    kBetween = 1001,
    kLastMonths = 1002,
    kLastDays = 1003,
};

struct CalendarDay
{
    int year = 0;
    int month = 0;
    int day = 0;
};

// Appends a date page's condition on its column ("CREADATE", "MODIDATE"); `from` is the day of "on".
void AppendDatePageCriteria(std::string& criteria, std::string_view column, DatePageChoice choice,
                            CalendarDay from, CalendarDay to, int count);

// The sort page's choice, kept once for the whole program.
class CSortChoice
{
public:
    // Clears the texts; the display shows `heading` ("SORTED BY ").
    void Reset(std::string heading);
    // The field becomes the current sort field.
    void ChooseField(std::string internalName, std::string column);
    // "&And": the current field joins the list (`andText` is " AND " from the string table).
    void AddCurrent(std::string_view andText);
    // What the page's text shows.
    std::string DisplayText() const { return m_display + m_currentName; }
    // Appends " ORDER BY <columns>" unless nothing was chosen.
    void AppendCriteria(std::string& criteria) const;

private:
    std::string m_display;
    std::string m_columns;
    std::string m_currentName;
    std::string m_currentColumn;
};

CSortChoice& ProgramSortChoice();

// A currency amount as the statement takes it: the number in C form ("12.50" from "12,50"), or nothing
// when the text is no number.
bool CurrencyNumber(std::string_view text, std::string& number);
