#include "platform/effects/HoverRule.h"

std::vector<HoverRule::Change> HoverRule::mouseOnButton(int button)
{
    if (m_enlarged == button)
        return {};
    if (m_enlarged >= 0) {
        const int previous = m_enlarged;
        m_enlarged = -1;
        return {{previous, false}};
    }
    m_enlarged = button;
    return {{button, true}};
}

std::vector<HoverRule::Change> HoverRule::mouseOnBackground()
{
    if (m_enlarged < 0)
        return {};
    const int previous = m_enlarged;
    m_enlarged = -1;
    return {{previous, false}};
}
