#pragma once

#include <QPixmap>
#include <QToolButton>

// A command button that is a picture: no frame, a hand cursor, a hint, and
// a number (tag) that names its slot in the table of button pictures.
class PictureButton : public QToolButton
{
    Q_OBJECT
public:
    explicit PictureButton(int tag, QWidget *parent = nullptr);

    int tag() const { return m_tag; }

    // Shows the picture at the button's icon size; an empty pixmap leaves
    // the button blank but usable.
    void setPicture(const QPixmap &picture);
    QPixmap picture() const { return m_picture; }

private:
    int m_tag;
    QPixmap m_picture;
};
