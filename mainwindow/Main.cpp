#include "mainwindow/CorvantApp.h"

wxIMPLEMENT_APP(CCorvantApp);
