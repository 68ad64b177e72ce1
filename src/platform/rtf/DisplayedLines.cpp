#include "platform/rtf/DisplayedLines.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

std::vector<DisplayedLines::Line> DisplayedLines::collect(const QTextDocument *document)
{
    std::vector<Line> lines;
    QAbstractTextDocumentLayout *layout = document->documentLayout();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        // Asking for the block's rectangle lays it out if that has not happened yet.
        const QRectF rect = layout->blockBoundingRect(block);
        const QTextLayout *text = block.layout();
        if (!block.isVisible() || !text || text->lineCount() == 0) {
            lines.push_back(Line{block.position(), block.length() - 1, rect.top(), rect.height()});
            continue;
        }
        const double originY = rect.top() - text->boundingRect().top();
        for (int i = 0; i < text->lineCount(); ++i) {
            const QTextLine line = text->lineAt(i);
            int length = line.textLength();
            // A line ended by a line break owns the break; it is not text.
            const int end = line.textStart() + length;
            if (length > 0 && end <= block.length() - 1
                && block.text().at(end - 1) == QChar::LineSeparator)
                --length;
            lines.push_back(Line{block.position() + line.textStart(), length,
                                 originY + line.y(), line.height()});
        }
    }
    return lines;
}

int DisplayedLines::countedLines(const std::vector<Line> &lines, const QTextDocument *document)
{
    int count = int(lines.size());
    if (count > 0 && lines.back().length == 0 && document->lastBlock().length() <= 1)
        --count;
    return count;
}

int DisplayedLines::lineOf(const std::vector<Line> &lines, int position)
{
    if (lines.empty())
        return 0;
    const auto after = std::upper_bound(lines.begin(), lines.end(), position,
                                        [](int p, const Line &l) { return p < l.start; });
    return std::max(0, int(after - lines.begin()) - 1);
}
