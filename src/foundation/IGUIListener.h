#pragma once

// Receives a notifier's data-less notifications; reads whatever it needs from
// the object that owns the notifier.
class IGUIListener {
public:
    virtual void OnNotify() = 0;
    virtual ~IGUIListener() = default;
};
