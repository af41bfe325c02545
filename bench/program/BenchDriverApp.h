#pragma once
// The program's application with a benchmark driver on top: what the drivers share to act once the event
// loop is idle, to time a list until its rows are painted again, and to write their figures to the trace
// log and close the frame. Nothing here is part of the program the user runs.

#include "mainwindow/CorvantApp.h"

#include <wx/listctrl.h>

#include <chrono>
#include <functional>
#include <string>

class CBenchDriverApp : public CCorvantApp
{
public:
    // Starts the program as it starts for the user, then drives it once its event loop is first idle.
    bool OnInit() override;

protected:
    using Clock = std::chrono::steady_clock;

    // What the driver does with the started program; it ends with Finish.
    virtual void Drive() = 0;

    // Runs `next` at the next idle moment of the event loop.
    void AfterIdle(std::function<void()> next);
    // Runs `next` at the first idle moment after the list's rows were painted again.
    void AfterRowsPainted(wxListCtrl* list, std::function<void()> next);
    // Writes why the driver stops and "driver done" to the trace log, and closes the frame.
    void Finish(const std::string& why);
    // The milliseconds since `start`, as the trace log's figures write them.
    static std::string Milliseconds(Clock::time_point start);

private:
    void OnIdle(wxIdleEvent& event);
    void OnRowsPaint(wxPaintEvent& event);

    std::function<void()> m_next;
    std::function<void()> m_afterPaint;
    wxWindow* m_rows = nullptr;
};

// The application object of the driver's program, made by the driver; the program's entry point and the
// accessor of the application are BenchDriverApp.cpp's.
CBenchDriverApp* CreateBenchDriverApp();
