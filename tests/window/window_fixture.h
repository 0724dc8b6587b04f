// The main window built for real on Qt's offscreen platform, with handlers that
// count their calls, and ways to find its widgets by their control names.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QWidget>

#include "platform/qt/widgets.h"
#include "ui/main_window.h"
#include "ui/windowing.h"

namespace test {

struct HandlerCalls {
    int answerChecks = 0;
    int answerChanges = 0;
    int relays = 0;
};

HandlerCalls& Calls();
std::span<const ui::HandlerEntry> CountingHandlers();

// The program's top-level window, or null when none exists.
platform::qt::TopLevelWidget* ProgramWindow();

// Lets deferred work happen: posted events and pending destructions.
void Settle();

class MainWindowTest : public ::testing::Test {
protected:
    virtual std::span<const ui::HandlerEntry> HandlersUnderTest() const { return CountingHandlers(); }
    void SetUp() override;
    void TearDown() override;

    QWidget* Control(const char* utf8Name) const;
    QImage Grab() const;

    platform::qt::TopLevelWidget* window = nullptr;
};

}  // namespace test
