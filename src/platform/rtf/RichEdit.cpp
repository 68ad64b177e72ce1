#include "platform/rtf/RichEdit.h"

#include "platform/rtf/RtfReader.h"
#include "platform/rtf/RtfWriter.h"

RichEdit::RichEdit(QWidget *parent) : QTextEdit(parent)
{
    setAcceptRichText(true);
}

void RichEdit::setRtf(const QByteArray &rtf)
{
    RtfReader::read(rtf, document());
    document()->setModified(false);
}

QByteArray RichEdit::rtf() const
{
    return RtfWriter::write(document());
}

bool RichEdit::isModified() const
{
    return document()->isModified();
}

void RichEdit::setModified(bool modified)
{
    document()->setModified(modified);
}
