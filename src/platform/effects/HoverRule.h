#pragma once

#include <vector>

// Which picture button shows its enlarged picture as the mouse moves. At
// most one is enlarged; moving onto another button first shrinks the
// enlarged one back, and only the next move enlarges the new one.
class HoverRule
{
public:
    struct Change
    {
        int button;
        bool enlarged;  // false: back to its normal picture
        bool operator==(const Change &) const = default;
    };

    std::vector<Change> mouseOnButton(int button);
    std::vector<Change> mouseOnBackground();

    int enlargedButton() const { return m_enlarged; }  // -1: none

private:
    int m_enlarged = -1;
};
