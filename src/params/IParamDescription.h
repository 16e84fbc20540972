#pragma once

class CGUINotifier;
class IParamValueFormatter;

// Parameter kinds: how a parameter's values move.
enum EParamKind : int {
    kParamKindSwitch = 0, // two states, minimum and maximum
    kParamKindInteger = 1, // whole steps from minimum to maximum
    kParamKindContinuous = 2,
    kParamKindToggle = 3, // two states, like kParamKindSwitch
};

// An object with a name and a comment. Texts belong to the object, stay valid
// until they are next set, and may be null.
class INamedObject {
public:
    virtual const char* GetName() const = 0;
    virtual const char* GetComment() const = 0;
    // Fires after every change of the object.
    virtual CGUINotifier& GetNotifier() = 0;
    virtual ~INamedObject() = default;
};

// Everything about a parameter but its value. Bounds are not validated: the
// minimum may exceed the maximum and the default may lie outside them.
class IParamDescription : public virtual INamedObject {
public:
    virtual int GetKind() const = 0;
    // May be null.
    virtual const char* GetUnit() const = 0;
    // Borrowed; never null for CParamDescription.
    virtual IParamValueFormatter* GetFormatter() const = 0;
    virtual float GetMin() const = 0;
    virtual float GetDefault() const = 0;
    virtual float GetMax() const = 0;
};

// Changes a parameter description; every call that changes something
// notifies the description's listeners once.
class IParamDescriptionEditor {
public:
    virtual void SetKind(int kind) = 0;
    // Texts are copied; null clears. Always notifies, even for the same text.
    virtual void SetName(const char* name) = 0;
    virtual void SetUnit(const char* unit) = 0;
    virtual void SetComment(const char* comment) = 0;
    // Notify only when the value changes; a NaN always counts as a change.
    virtual void SetMin(float value) = 0;
    virtual void SetDefault(float value) = 0;
    virtual void SetMax(float value) = 0;
    // Copies every field of other (itself allowed), gives this description its
    // own clone of other's formatter, and notifies once.
    virtual void CopyFrom(IParamDescription& other) = 0;
    virtual ~IParamDescriptionEditor() = default;
};
