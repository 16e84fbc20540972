#pragma once

class CGUINotifier;

// A model object whose changes can be followed.
class IObservable {
public:
    // The object's change notifier, for registering listeners.
    virtual CGUINotifier& GetNotifier() = 0;
    virtual ~IObservable() = default;
};
