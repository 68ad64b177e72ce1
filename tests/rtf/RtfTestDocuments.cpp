#include "RtfTestDocuments.h"

#include "platform/rtf/RtfFormats.h"

#include <QDir>
#include <QFile>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <QTextCursor>

namespace RtfTestDocuments {

QByteArray fixture(const QString &name)
{
    QFile file(QStringLiteral(RTF_FIXTURES) + u'/' + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(name));
    return file.readAll();
}

QStringList fixtureNames()
{
    return QDir(QStringLiteral(RTF_FIXTURES)).entryList({QStringLiteral("*.rtf")}, QDir::Files, QDir::Name);
}

namespace {

QString describeFormat(const QTextCharFormat &f, const QFont &base)
{
    const QFont font = f.font().resolve(base);
    QStringList parts;
    parts << (font.families().isEmpty() ? font.family() : font.families().first());
    parts << QString::number(font.pointSizeF());
    if (font.bold()) parts << QStringLiteral("bold");
    if (font.italic()) parts << QStringLiteral("italic");
    if (font.underline()) parts << QStringLiteral("underline");
    if (font.strikeOut()) parts << QStringLiteral("strike");
    if (f.foreground().style() != Qt::NoBrush) parts << QStringLiteral("fg=") + f.foreground().color().name();
    if (f.background().style() != Qt::NoBrush) parts << QStringLiteral("bg=") + f.background().color().name();
    if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript) parts << QStringLiteral("super");
    if (f.verticalAlignment() == QTextCharFormat::AlignSubScript) parts << QStringLiteral("sub");
    if (f.isAnchor()) parts << QStringLiteral("href=") + f.anchorHref();
    if (f.hasProperty(RtfFormats::CharsetProperty) && f.intProperty(RtfFormats::CharsetProperty) != 0)
        parts << QStringLiteral("charset=") + QString::number(f.intProperty(RtfFormats::CharsetProperty));
    if (f.isImageFormat()) {
        const QTextImageFormat image = f.toImageFormat();
        parts << QStringLiteral("image %1x%2").arg(image.width()).arg(image.height());
    }
    return parts.join(u' ');
}

QString describeBlock(const QTextBlock &block)
{
    const QTextBlockFormat f = block.blockFormat();
    QStringList parts;
    parts << QStringLiteral("block");
    const Qt::Alignment a = f.alignment() & Qt::AlignHorizontal_Mask;
    if (a & Qt::AlignHCenter) parts << QStringLiteral("center");
    else if (a & Qt::AlignRight) parts << QStringLiteral("right");
    else if (a & Qt::AlignJustify) parts << QStringLiteral("justify");
    auto px = [](double v) { return QString::number(qRound(v)); };
    if (f.leftMargin()) parts << QStringLiteral("left=") + px(f.leftMargin());
    if (f.rightMargin()) parts << QStringLiteral("right=") + px(f.rightMargin());
    if (f.textIndent()) parts << QStringLiteral("first=") + px(f.textIndent());
    if (f.topMargin()) parts << QStringLiteral("before=") + px(f.topMargin());
    if (f.bottomMargin()) parts << QStringLiteral("after=") + px(f.bottomMargin());
    if (f.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) parts << QStringLiteral("pagebreak");
    if (const QTextList *list = block.textList())
        parts << QStringLiteral("list style=%1 level=%2 item=%3")
                     .arg(int(list->format().style())).arg(list->format().indent()).arg(list->itemNumber(block));
    if (QTextTable *table = QTextCursor(block).currentTable()) {
        const QTextTableCell cell = table->cellAt(block.position());
        parts << QStringLiteral("cell %1,%2 of %3x%4").arg(cell.row()).arg(cell.column())
                     .arg(table->rows()).arg(table->columns());
    }
    return parts.join(u' ');
}

} // namespace

QStringList describe(const QTextDocument &document)
{
    QStringList lines;
    const QFont base = document.defaultFont();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        lines << describeBlock(block);
        if (block.text().isEmpty())
            lines << QStringLiteral("  mark: ") + describeFormat(block.charFormat(), base);
        // Runs of equal formatting are one entry however Qt split them.
        QString runText;
        QString runFormat;
        auto flush = [&] {
            if (!runText.isEmpty())
                lines << QStringLiteral("  [") + runText + QStringLiteral("] ") + runFormat;
            runText.clear();
        };
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QString format = describeFormat(fragment.charFormat(), base);
            if (format != runFormat || fragment.charFormat().isImageFormat())
                flush();
            runFormat = format;
            QString text = fragment.text();
            text.replace(QChar::LineSeparator, QLatin1String("<br>"));
            runText += text;
        }
        flush();
    }
    return lines;
}

int positionOf(const QTextDocument &document, const QString &text)
{
    return int(document.toRawText().indexOf(text));
}

} // namespace RtfTestDocuments
