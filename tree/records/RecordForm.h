#pragma once
// The record form as the row nodes reach it: opening a record, or a new one, in the record window. The
// record window installs itself here when it exists; until then nothing is installed, opening a row
// answers false and the commands that open records stay disabled. Tests install a fake.

class CNodeFrame;
class CNodeRef;
class CTreeNode;

class CRecordForm
{
public:
    virtual ~CRecordForm() = default;
    // Opens the record form at the key's record, with the row's node for its list and the owner window;
    // false when it did not open. The form copies what it keeps: the node may go when this returns.
    virtual bool OpenRecordFormAt(CTreeNode& row, const CNodeRef& key, CNodeFrame* owner) = 0;
};

// The installed record form; null while there is none.
CRecordForm* GetRecordForm();
// Installs a record form (not owned; null removes it). Returns the previous one.
CRecordForm* SetRecordForm(CRecordForm* form);
