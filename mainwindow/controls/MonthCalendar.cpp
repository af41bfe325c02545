#include "mainwindow/controls/MonthCalendar.h"

#include "store/regional/RegionalSettings.h"

#include <wx/dcbuffer.h>
#include <wx/settings.h>

#include <algorithm>

namespace {

constexpr int kArrowZone = 30;
constexpr int kArrowBand = 15;
const wxColour kDarkEdge(0x50, 0x50, 0x50);

std::tm LocalParts(std::time_t value)
{
    std::tm parts{};
    localtime_r(&value, &parts);
    return parts;
}

} // namespace

CMonthCalendar::CMonthCalendar(wxWindow* parent, wxWindowID id, std::time_t start, wxWindow* owner,
                               DateHandler onClose, const wxPoint& pos, const wxSize& size)
    : wxWindow(parent, id, pos, size, wxBORDER_SIMPLE | wxWANTS_CHARS, "Month"), m_owner(owner),
      m_onClose(std::move(onClose))
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetBackgroundColour(*wxWHITE);
    Bind(wxEVT_PAINT, &CMonthCalendar::OnPaint, this);
    Bind(wxEVT_KEY_DOWN, &CMonthCalendar::OnKeyDown, this);
    Bind(wxEVT_LEFT_DOWN, &CMonthCalendar::OnLeftDown, this);
    Bind(wxEVT_LEFT_DCLICK, &CMonthCalendar::OnLeftDoubleClick, this);
    Bind(wxEVT_SIZE, &CMonthCalendar::OnSize, this);
    ShowMonth(start);
}

CMonthCalendar::~CMonthCalendar()
{
    HandBack();
}

void CMonthCalendar::HandBack()
{
    if (m_handedBack) {
        return;
    }
    m_handedBack = true;
    if (m_onClose) {
        m_onClose(m_date);
    }
    wxWindow* owner = m_owner.get();
    // Nothing to give back to while the window holding the field is going.
    const bool closing =
        owner == nullptr || owner->IsBeingDeleted() || (GetParent() && GetParent()->IsBeingDeleted());
    if (!closing) {
        owner->SetFocus();
        // The field, its page and the page's window all show the new date.
        wxWindow* window = owner;
        for (int level = 0; level < 3 && window != nullptr; ++level, window = window->GetParent()) {
            window->Refresh();
        }
    }
}

void CMonthCalendar::ShowMonth(std::time_t date)
{
    const std::tm parts = LocalParts(date);
    m_grid = BuildMonthGrid(parts.tm_year + 1900, parts.tm_mon + 1);
    m_selected = parts.tm_mday;
    m_date = date;
    SetLabel(wxString::Format("%s %i", wxString::FromUTF8(GetLongMonthName(parts.tm_mon)), m_grid.year));
    Refresh();
}

int CMonthCalendar::HeaderHeight() const
{
    return std::max(GetClientSize().y / 6, 30);
}

wxRect CMonthCalendar::CellRect(int day) const
{
    int row = 0;
    int column = 0;
    if (!m_grid.CellOf(day, row, column)) {
        return {};
    }
    const wxSize client = GetClientSize();
    const int header = HeaderHeight();
    const int width = client.x / 7;
    const int height = m_grid.rows > 0 ? (client.y - header) / m_grid.rows : 0;
    // The last column and row take what the division leaves.
    const int w = column == 6 ? client.x - 6 * width : width;
    const int h = row == m_grid.rows - 1 ? client.y - header - (m_grid.rows - 1) * height : height;
    return {column * width, header + row * height, w, h};
}

int CMonthCalendar::DayAt(const wxPoint& point) const
{
    for (int day = 1; day <= m_grid.days; ++day) {
        if (CellRect(day).Contains(point)) {
            return day;
        }
    }
    return 0;
}

void CMonthCalendar::OnSize(wxSizeEvent& event)
{
    Refresh();
    event.Skip();
}

void CMonthCalendar::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    const wxSize client = GetClientSize();
    const int header = HeaderHeight();
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    dc.SetFont(wxSystemSettings::GetFont(wxSYS_ANSI_VAR_FONT));
    dc.SetTextForeground(*wxBLACK);

    // Title, and the arrows to the previous and next month in the top corners.
    const wxString title = GetLabel();
    const wxSize titleSize = dc.GetTextExtent(title);
    dc.DrawText(title, (client.x - titleSize.x) / 2, 2);
    const int arrowWidth = std::min(header + 4, 90) / 3;
    const int arrowHeight = std::max(std::min(header - 13, 40) / 2, 6);
    dc.SetBrush(*wxBLACK_BRUSH);
    dc.SetPen(*wxBLACK_PEN);
    const int middle = 2 + titleSize.y / 2;
    const wxPoint left[] = {
        {4, middle}, {4 + arrowWidth, middle - arrowHeight / 2}, {4 + arrowWidth, middle + arrowHeight / 2}};
    const wxPoint right[] = {{client.x - 5, middle},
                             {client.x - 5 - arrowWidth, middle - arrowHeight / 2},
                             {client.x - 5 - arrowWidth, middle + arrowHeight / 2}};
    dc.DrawPolygon(3, left);
    dc.DrawPolygon(3, right);

    // Weekday names in the longest regional form that fits a column.
    const int column = client.x / 7;
    const RegionalSettings& regional = Regional();
    const std::array<std::string, 7>* forms[] = {&regional.longDayNames, &regional.shortDayNames,
                                                 &regional.letterDayNames};
    const std::array<std::string, 7>* names = forms[2];
    for (const auto* form : forms) {
        int widest = 0;
        for (const auto& name : *form) {
            widest = std::max(widest, dc.GetTextExtent(wxString::FromUTF8(name)).x);
        }
        if (widest <= column - 10) {
            names = form;
            break;
        }
    }
    const int namesTop = header - titleSize.y - 2;
    for (int day = 0; day < 7; ++day) {
        const wxString name = wxString::FromUTF8((*names)[day]);
        dc.DrawText(name, day * column + (column - dc.GetTextExtent(name).x) / 2, namesTop);
    }

    // The days: raised grey cells, the selected one pressed.
    const wxColour face = wxColour(0xD4, 0xD4, 0xD4);
    for (int day = 1; day <= m_grid.days; ++day) {
        const wxRect cell = CellRect(day);
        const bool selected = day == m_selected;
        dc.SetPen(*wxBLACK_PEN);
        dc.SetBrush(wxBrush(selected ? wxColour(0xA8, 0xA8, 0xA8) : face));
        dc.DrawRectangle(cell);
        wxRect inner = cell;
        inner.Deflate(1);
        dc.SetPen(wxPen(selected ? kDarkEdge : *wxWHITE));
        dc.DrawLine(inner.GetLeft(), inner.GetTop(), inner.GetRight(), inner.GetTop());
        dc.DrawLine(inner.GetLeft(), inner.GetTop(), inner.GetLeft(), inner.GetBottom());
        dc.SetPen(wxPen(selected ? *wxWHITE : kDarkEdge));
        dc.DrawLine(inner.GetLeft(), inner.GetBottom(), inner.GetRight() + 1, inner.GetBottom());
        dc.DrawLine(inner.GetRight(), inner.GetTop(), inner.GetRight(), inner.GetBottom());
        const wxString number = wxString::Format("%d", day);
        const wxSize size = dc.GetTextExtent(number);
        const int shift = selected ? 1 : 0;
        dc.DrawText(number, cell.x + (cell.width - size.x) / 2 + shift,
                    cell.y + (cell.height - size.y) / 2 + shift);
    }
}

void CMonthCalendar::ChooseSelected()
{
    m_date = MakeLocalDate(m_grid.year, m_grid.month, m_selected);
    HandBack();
    Destroy();
}

void CMonthCalendar::OnKeyDown(wxKeyEvent& event)
{
    const auto step = [this](DayStep how) {
        m_selected = StepSelectedDay(m_selected, how, m_grid.days);
        Refresh();
    };
    switch (event.GetKeyCode()) {
    case WXK_LEFT:
        step(DayStep::kPrevious);
        break;
    case WXK_RIGHT:
        step(DayStep::kNext);
        break;
    case WXK_TAB:
        step(event.ShiftDown() ? DayStep::kPrevious : DayStep::kNext);
        break;
    case WXK_UP:
        step(DayStep::kWeekBack);
        break;
    case WXK_DOWN:
        step(DayStep::kWeekOn);
        break;
    case WXK_PAGEUP:
        ShowMonth(StepToAdjacentMonth(m_date, true));
        break;
    case WXK_PAGEDOWN:
        ShowMonth(StepToAdjacentMonth(m_date, false));
        break;
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER:
        ChooseSelected();
        break;
    default:
        event.Skip();
        break;
    }
}

void CMonthCalendar::OnLeftDown(wxMouseEvent& event)
{
    SetFocus();
    const wxPoint point = event.GetPosition();
    if (point.y < kArrowBand && point.x < kArrowZone) {
        ShowMonth(StepToAdjacentMonth(m_date, false));
    } else if (point.y < kArrowBand && point.x > GetClientSize().x - kArrowZone) {
        ShowMonth(StepToAdjacentMonth(m_date, true));
    } else if (const int day = DayAt(point); day != 0) {
        m_selected = day;
        Refresh();
    }
}

void CMonthCalendar::OnLeftDoubleClick(wxMouseEvent& event)
{
    if (const int day = DayAt(event.GetPosition()); day != 0) {
        m_selected = day;
        ChooseSelected();
    }
}
