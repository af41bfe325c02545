// The table the browser module hands the program; tests that link the browser's code install it directly.

#include "mainwindow/webview/BrowserModule.h"
#include "mainwindow/webview/TrainingDlg.h"
#include "mainwindow/webview/WebView.h"

namespace {

void ShowTraining(wxWindow* parent)
{
    (new CTrainingDlg(parent))->Show(); // modeless; destroys itself when closed
}

const BrowserEntries kEntries{MakeWebView, ShowTraining};

} // namespace

extern "C" __attribute__((visibility("default"))) const BrowserEntries* LumarcBrowserEntries()
{
    return &kEntries;
}
