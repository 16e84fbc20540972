#include "app/AppendRegistryError.h"

#include "app/DXiRegistryCodes.h"

bool AppendRegistryError(IDXiRegistry& registry, CGUIString& errorText, int32_t code, const char* context)
{
    if (code != DXiRegistryCodes::kSuccess) {
        CGUIString systemText;
        if (registry.GetSystemMessage(code, systemText)) {
            errorText = systemText;
        }
    }
    if (!errorText.IsEmpty()) {
        errorText.Append("(");
    }
    errorText.Append(context);
    errorText.Append(")");
    return code == DXiRegistryCodes::kSuccess;
}

void ShowRegistryError(IDXiRegistry& registry, const char* prefix, const CGUIString& errorText)
{
    CGUIString message(prefix);
    message.Append(errorText);
    registry.ShowError(message.GetText());
}
