#include "platform/widgets/PictureButton.h"

PictureButton::PictureButton(int tag, QWidget *parent) : QToolButton(parent), m_tag(tag)
{
    setAutoRaise(true);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setIconSize(QSize(24, 24));
}

void PictureButton::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    setIcon(QIcon(picture));
}
