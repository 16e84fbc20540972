#include "controls/CGUITextModel.h"

void CGUITextModel::SetText(const char* text)
{
    m_text.Assign(text);
    m_notifier.Notify();
}
