#pragma once

#include <vector>

class QTextDocument;

// The lines of a laid-out document as the control shows them: a wrapped
// paragraph gives several lines, a line break (U+2028) ends a line.
class DisplayedLines
{
public:
    struct Line
    {
        int start = 0;        // document position of the first character
        int length = 0;       // characters, without the paragraph separator
        double top = 0;       // in document coordinates
        double height = 0;
    };

    // Lays the document out where needed and lists its lines in order.
    static std::vector<Line> collect(const QTextDocument *document);

    // How many lines count: a last line that is empty (the document ends with
    // a paragraph break, or is empty) does not.
    static int countedLines(const std::vector<Line> &lines, const QTextDocument *document);

    // The line holding a document position: the last line starting at or
    // before it (so the first position of a wrapped line belongs to it).
    static int lineOf(const std::vector<Line> &lines, int position);
};
