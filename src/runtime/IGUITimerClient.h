#pragma once

// Receives the periodic calls of a window timer, on the window's thread.
class IGUITimerClient {
public:
    virtual void OnTimer() = 0;
    virtual ~IGUITimerClient() = default;
};
