#pragma once

#include "foundation/CGUINotifier.h"

// Read side of an instrument's MIDI-enabled value, as check boxes and their
// parameter adapters see it.
class IDXiMidiEnabledValue {
public:
    virtual bool IsMidiEnabled() const = 0;
    // Fires when the value changes through someone who announces it.
    virtual CGUINotifier& GetChangeNotifier() = 0;
    virtual ~IDXiMidiEnabledValue() = default;
};

// Write side: assigning the value switches the instrument in the registry.
class IDXiMidiEnabledEditor : public IDXiMidiEnabledValue {
public:
    virtual void SetMidiEnabled(bool enable) = 0;
};
