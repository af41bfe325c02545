#include "mainwindow/MainFrame.h"

CMainFrame::CMainFrame() : wxFrame(nullptr, wxID_ANY, "Lumarc", wxPoint(50, 50), wxSize(650, 500)) {}
