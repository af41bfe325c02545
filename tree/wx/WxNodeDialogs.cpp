#include "tree/wx/WxNodeDialogs.h"

#include "mainwindow/common/QuestionDialogs.h"

int CWxNodeDialogs::ConfirmFolderDelete(const std::string& question)
{
    return ShowPopupQuestion(m_parent, kConfirmFolderDeleteDialog, question);
}

int CWxNodeDialogs::ConfirmItemDelete(const std::string& question)
{
    return ShowPopupQuestion(m_parent, kConfirmItemDeleteDialog, question);
}

int CWxNodeDialogs::ConfirmDelete(int dialog, const std::string& question)
{
    return ShowPopupQuestion(m_parent, dialog, question);
}
