#include "platform/rtf/RichClipboard.h"

#include "platform/rtf/RtfReader.h"
#include "platform/rtf/RtfWriter.h"

#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QUrl>

QStringList RichClipboard::rtfMimeTypes()
{
    return {QStringLiteral("text/rtf"), QStringLiteral("application/rtf"),
            QStringLiteral("text/richtext")};
}

void RichClipboard::copyPictures(const QTextDocument *users, const QTextDocument *from, QTextDocument *to)
{
    for (QTextBlock block = users->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isImageFormat())
                continue;
            const QUrl name(format.toImageFormat().name());
            const QVariant picture = from->resource(QTextDocument::ImageResource, name);
            if (picture.isValid())
                to->addResource(QTextDocument::ImageResource, name, picture);
        }
    }
}

QMimeData *RichClipboard::mimeDataFor(const QTextCursor &selection)
{
    auto *data = new QMimeData;
    const QTextDocument *source = selection.document();
    if (!source || !selection.hasSelection())
        return data;

    QTextDocument copy;
    copy.setDefaultFont(source->defaultFont());
    QTextCursor(&copy).insertFragment(selection.selection());
    copyPictures(&copy, source, &copy);

    data->setData(rtfMimeTypes().first(), RtfWriter::write(&copy));
    data->setHtml(copy.toHtml());
    data->setText(selection.selection().toPlainText());
    return data;
}

bool RichClipboard::canInsert(const QMimeData *data)
{
    if (!data)
        return false;
    for (const QString &type : rtfMimeTypes())
        if (data->hasFormat(type))
            return true;
    return data->hasHtml() || data->hasText();
}

bool RichClipboard::insert(const QMimeData *data, QTextCursor &cursor, bool rich)
{
    if (!data || !cursor.document())
        return false;
    QTextDocument *target = cursor.document();

    QTextDocumentFragment fragment;
    bool found = false;
    if (rich) {
        for (const QString &type : rtfMimeTypes()) {
            if (!data->hasFormat(type))
                continue;
            QTextDocument pasted;
            pasted.setDefaultFont(target->defaultFont());
            RtfReader::read(data->data(type), &pasted);
            copyPictures(&pasted, &pasted, target);
            fragment = QTextDocumentFragment(&pasted);
            found = true;
            break;
        }
        if (!found && data->hasHtml()) {
            fragment = QTextDocumentFragment::fromHtml(data->html(), target);
            found = true;
        }
    }
    if (!found && !data->hasText())
        return false;

    cursor.beginEditBlock();
    if (found)
        cursor.insertFragment(fragment);
    else
        cursor.insertText(data->text());
    cursor.endEditBlock();
    return true;
}
