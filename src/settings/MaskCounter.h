#pragma once

#include <QString>

// Which mask picture the next new-record transition uses: 1, 2, 3, 4 and
// round again. Starts afresh at every start of the program.
class MaskCounter
{
public:
    // The number of the mask to use now, 1 to 4.
    int next()
    {
        m_count = m_count % 4 + 1;
        return m_count;
    }

    // programFolder + "\Images\Effects\A" + number + ".bmp", in stored form.
    static QString maskPicture(const QString &programFolder, int number)
    {
        return programFolder + QStringLiteral("\\Images\\Effects\\A%1.bmp").arg(number);
    }

private:
    int m_count = 0;
};
