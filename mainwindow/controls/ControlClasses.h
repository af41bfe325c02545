#pragma once
// Registers the program's own controls in the window-class registry (mainwindow/common/WindowClasses.h),
// one group at a time so the start-up code keeps the classes in their fixed order.

// "SearchButton", "SearchDateButton", "Search", "SearchDate", "SearchListBox".
void RegisterSearchClasses();
// "TelephoneTo".
void RegisterTelephoneClass();
// "NumYear", "editNY", "DateTypeCombo", "NumismaticYear".
void RegisterNumismaticYearClasses();
// "Month".
void RegisterMonthClass();
// "Time".
void RegisterTimeClass();
