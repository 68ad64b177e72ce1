#include "platform/rtf/RtfReader.h"

#include "platform/rtf/CodePage.h"
#include "platform/rtf/RtfDocumentBuilder.h"
#include "platform/rtf/RtfParser.h"

#include <QStringDecoder>
#include <QTextDocument>

namespace {

QString decodeNonRtf(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = CodePage::decode(CodePage::Ansi, bytes);
    // Keep line structure; drop what has no text form, as the writer would.
    text.removeIf([](QChar c) {
        const char16_t u = c.unicode();
        return (u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r') || (u >= 0xFDD0 && u <= 0xFDEF);
    });
    return text;
}

// As QTextDocument::toPlainText shows the same characters.
void appendShown(QString &out, const QString &text)
{
    const qsizetype start = out.size();
    out += text;
    for (qsizetype i = start; i < out.size(); ++i) {
        const char16_t c = out[i].unicode();
        if (c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            out[i] = u'\n';
        else if (c == QChar::Nbsp)
            out[i] = u' ';
    }
}

} // namespace

bool RtfReader::isRtf(const QByteArray &bytes)
{
    qsizetype i = 0;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        i = 3;
    while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n'))
        ++i;
    return QByteArrayView(bytes).sliced(i).startsWith("{\\rtf");
}

bool RtfReader::read(const QByteArray &rtf, QTextDocument *document)
{
    if (!isRtf(rtf)) {
        const bool undo = document->isUndoRedoEnabled();
        document->setUndoRedoEnabled(false);
        document->setPlainText(decodeNonRtf(rtf));
        document->setUndoRedoEnabled(undo);
        return false;
    }
    RtfDocumentBuilder::build(RtfParser::parse(rtf), document);
    return true;
}

QString RtfReader::toPlainText(const QByteArray &rtf)
{
    if (!isRtf(rtf)) {
        // What setPlainText would show: line ends become paragraph breaks.
        QString text = decodeNonRtf(rtf);
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        text.replace(u'\r', u'\n');
        return text;
    }
    const RtfContent content = RtfParser::parse(rtf);
    QString out;
    out.reserve(rtf.size() / 2);
    bool first = true;
    auto newLine = [&] {
        if (!first)
            out += u'\n';
        first = false;
    };
    for (const RtfContent::Item &item : content.items) {
        if (const auto *paragraph = std::get_if<RtfParagraph>(&item)) {
            newLine();
            appendShown(out, paragraph->text);
            continue;
        }
        for (const RtfTableRow &row : std::get<RtfTable>(item).rows) {
            newLine();
            for (size_t c = 0; c < row.cells.size(); ++c) {
                if (c > 0)
                    out += u'\t';
                const auto &paragraphs = row.cells[c].paragraphs;
                for (size_t p = 0; p < paragraphs.size(); ++p) {
                    if (p > 0)
                        out += u' ';
                    appendShown(out, paragraphs[p].text);
                }
            }
        }
    }
    return out;
}
