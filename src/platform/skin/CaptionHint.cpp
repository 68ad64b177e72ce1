#include "platform/skin/CaptionHint.h"

#include <QHelpEvent>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolTip>

CaptionHint::CaptionHint(QLineEdit *field, std::function<QString()> fullText)
    : QObject(field), m_field(field), m_fullText(std::move(fullText))
{
    field->installEventFilter(this);
    field->setToolTipDuration(kHintMs);
}

CaptionHint *CaptionHint::attach(QLineEdit *field, std::function<QString()> fullText)
{
    return new CaptionHint(field, std::move(fullText));
}

bool CaptionHint::doesNotFit(const QLineEdit *field)
{
    QStyleOptionFrame option;
    option.initFrom(field);
    option.lineWidth = field->hasFrame() ? field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, field) : 0;
    const QRect room = field->style()->subElementRect(QStyle::SE_LineEditContents, &option, field);
    const QMargins margins = field->textMargins();
    const int width = room.width() - margins.left() - margins.right();
    return field->fontMetrics().horizontalAdvance(field->displayText()) > width;
}

bool CaptionHint::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_field && event->type() == QEvent::ToolTip && doesNotFit(m_field)) {
        const auto *help = static_cast<QHelpEvent *>(event);
        QToolTip::showText(help->globalPos(), m_fullText ? m_fullText() : m_field->text(), m_field, QRect(), kHintMs);
        return true;
    }
    return QObject::eventFilter(watched, event);
}
