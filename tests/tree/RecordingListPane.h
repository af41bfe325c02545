#pragma once
// A list pane for the model's tests: every row stands at the same place, the field strip is kept
// instead of shown (the test saves it and closes it), and refreshes are counted. A record form that
// records what it was asked to open.

#include "store/records/NodeRef.h"
#include "tree/base/NodeListPane.h"
#include "tree/base/TreeNode.h"
#include "tree/records/InPlaceEdit.h"
#include "tree/records/RecordForm.h"

#include <functional>
#include <memory>
#include <vector>

namespace lumarc::test {

class RecordingListPane : public CNodeListPane
{
public:
    bool RowAt(NodePoint /*point*/, NodeRowBounds& bounds) override
    {
        bounds = {10, 20, 17, 200};
        return true;
    }
    void EditRowFields(std::unique_ptr<CInPlaceEdit> strip, const NodeRowBounds& /*bounds*/,
                       std::function<void(bool)> whenClosed) override
    {
        edit = std::move(strip);
        closed = std::move(whenClosed);
    }
    void RefreshLabels() override { ++refreshes; }

    std::unique_ptr<CInPlaceEdit> edit;
    std::function<void(bool)> closed;
    int refreshes = 0;
};

class RecordingRecordForm : public CRecordForm
{
public:
    bool OpenRecordFormAt(CTreeNode& /*row*/, const CNodeRef& key, CNodeFrame* /*owner*/) override
    {
        opened.push_back(key.GetCode());
        return true;
    }
    std::vector<double> opened;
};

} // namespace lumarc::test
