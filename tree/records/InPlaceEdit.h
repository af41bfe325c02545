#pragma once
// What the strip of field editors laid over a list row edits: one editor per title field of the row's
// record (at most 10), the text each starts with, and how the values typed into them go back into the
// record. The strip itself is a window (tree/wx/InPlaceEditStrip.h); this part knows no window, so the
// rules are tested without a display.
//
// The edit borrows the row node's item set: the list pane closes the strip before it lets the row's node
// go.

#include <string>
#include <vector>

class CItemSet;

// One editor of the strip.
struct InPlaceField
{
    // What kind of editor: 'B' check box, 'O' drop-down list of the referenced data file's names, 'Y'
    // numismatic year, 'D' date, 'I' whole number, 'U' amount, 'T' time, 'P' telephone, 'W' web address,
    // 'E' text.
    char editor = 'E';
    int field = -1;
    // Pixels: 7 per character of the field's LENGTH, at most the strip's widest editor; a check box is
    // as wide as the row is high, a numismatic year 180.
    int width = 0;
    // Characters the editor takes.
    int maxLength = 0;
    // The text the editor shows first: the value without trailing blanks, or the field's caption when
    // the value is empty. A check box is checked unless the value is "F".
    std::string text;
    bool checked = false;
    // The names a drop-down list offers, in the referenced data file's order.
    std::vector<std::string> choices;
};

class CInPlaceEdit
{
public:
    static constexpr int kMaxWidth = 60;
    static constexpr int kMaxFields = 10;
    // Characters of an editor's text that are read back.
    static constexpr size_t kMaxTextCharacters = 99;

    // The editors of the set's current record. A lone editor may be as wide as the first column less
    // 16. `quietSave` saves without asking the main frame to refresh (the file-record rows).
    CInPlaceEdit(CItemSet& set, int rowHeight, int firstColumnWidth, bool quietSave);

    const std::vector<InPlaceField>& Fields() const { return m_fields; }
    int GetRowHeight() const { return m_rowHeight; }
    // The strip's width: the sum of its editors'.
    int GetWidth() const;

    // Writes the editors' values into the record (`values` in the order of Fields(); a check box gives
    // "T" or "F") and saves the record when any changed. A check box always counts as changed; another
    // editor changes its field when its text differs, without regard to case, from the text it showed
    // first. A value the field refuses (a date that does not exist, a number too long for its field)
    // is shown to the user with the field's message and leaves the field as it was. True when the
    // record was saved.
    bool Save(const std::vector<std::string>& values);

private:
    // False, after showing the field's message, when the field refuses the value; a date is rewritten
    // in the short date form.
    bool Accepts(const InPlaceField& field, const std::string& caption, std::string& value) const;

    CItemSet& m_set;
    std::vector<InPlaceField> m_fields;
    std::vector<std::string> m_captions;
    int m_rowHeight;
    bool m_quietSave;
};
