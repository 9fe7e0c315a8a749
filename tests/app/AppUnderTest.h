#pragma once

#include "AppController.h"
#include "MainWindow.h"
#include "MervaneTimerAppDelegate.h"
#include "TemporaryStore.h"
#include "ViewerLink.h"

// The application as main puts it together, on a temporary store (made ready by
// `prepareStore`) and a clock that only the test moves. Members are made in order: the
// store before the countdown reads it.
struct AppUnderTest
{
    explicit AppUnderTest(const std::function<void(TemporaryStore &)> &prepareStore = nullptr)
        : store(prepareStore)
    {
    }

    double now = 0;
    TemporaryStore store;
    MervaneTimerAppDelegate delegate{[this] { return now; }};
    AppController appController;
    MainWindow window{delegate, appController};
    ViewerLink viewers{delegate, window, appController};
};
