#pragma once
// After a record is saved, the main frame brings what it shows of the record up to date (the sets
// already loaded under the record's catalogue take the saved record, or reload). The store asks through
// this interface, which the main window implements and installs; without one, nothing happens.

class CRecord;

class CFrameRefresh
{
public:
    virtual ~CFrameRefresh() = default;
    // The record was saved: its key and values are those of its row now.
    virtual void GoToNodeByCode(const CRecord& saved) = 0;
};

// Installs the frame's implementation (null removes it); the caller keeps it alive while installed.
void SetFrameRefresh(CFrameRefresh* refresh);
// Asks the installed frame, if any, to refresh after the record was saved.
void RequestFrameRefresh(const CRecord& saved);
