#include "platform/effects/PictureHoverTracker.h"

#include "platform/NativePath.h"
#include "platform/widgets/PictureButton.h"

#include <QMouseEvent>
#include <QPixmap>

PictureHoverTracker::PictureHoverTracker(QObject *parent) : QObject(parent) {}

void PictureHoverTracker::addButton(PictureButton *button, const QString &normalPicture, int normalSize,
                                    const QString &enlargedPicture, int enlargedSize)
{
    m_entries.insert(button->tag(), Entry{button, normalPicture, normalSize, enlargedPicture, enlargedSize});
    m_tags.insert(button, button->tag());
    button->setMouseTracking(true);
    button->installEventFilter(this);
    connect(button, &QObject::destroyed, this, [this, button, tag = button->tag()] {
        m_tags.remove(button);
        m_entries.remove(tag);
    });
}

void PictureHoverTracker::addBackground(QWidget *surface)
{
    surface->setMouseTracking(true);
    surface->installEventFilter(this);
    connect(surface, &QObject::destroyed, this, [this, surface] { m_tags.remove(surface); });
    m_tags.insert(surface, -1);
}

void PictureHoverTracker::loadNormalPictures()
{
    for (const Entry &entry : std::as_const(m_entries))
        show(entry, false);
    m_rule = HoverRule();
}

void PictureHoverTracker::show(const Entry &entry, bool enlarged)
{
    const int size = enlarged ? entry.enlargedSize : entry.normalSize;
    entry.button->setIconSize(QSize(size, size));
    entry.button->setPicture(QPixmap(nativePath(enlarged ? entry.enlargedPicture : entry.normalPicture)));
}

void PictureHoverTracker::apply(const std::vector<HoverRule::Change> &changes)
{
    for (const HoverRule::Change &change : changes) {
        const auto it = m_entries.constFind(change.button);
        if (it != m_entries.cend())
            show(*it, change.enlarged);
    }
}

bool PictureHoverTracker::eventFilter(QObject *watched, QEvent *event)
{
    const auto found = m_tags.constFind(watched);
    if (found == m_tags.cend())
        return QObject::eventFilter(watched, event);
    const int tag = *found;
    const auto *mouse = static_cast<QMouseEvent *>(event);
    switch (event->type()) {
    case QEvent::MouseMove:
        if (tag < 0) {
            apply(m_rule.mouseOnBackground());
            if (m_onBackground)
                m_onBackground();
            return false;
        }
        apply(m_rule.mouseOnButton(tag));
        // A move over a button ends here, so the surface beneath does not
        // take it for a move over the background. A pressed button still
        // needs its moves to track whether the mouse is on it.
        return mouse->buttons() == Qt::NoButton;
    case QEvent::MouseButtonPress:
        if (tag >= 0 && mouse->button() == Qt::LeftButton) {
            Entry &entry = m_entries[tag];
            if (!entry.shifted) {
                entry.button->move(entry.button->pos() + QPoint(kPressShift, kPressShift));
                entry.shifted = true;
            }
        }
        return false;
    case QEvent::MouseButtonRelease:
        if (tag >= 0 && mouse->button() == Qt::LeftButton) {
            Entry &entry = m_entries[tag];
            if (entry.shifted) {
                entry.button->move(entry.button->pos() - QPoint(kPressShift, kPressShift));
                entry.shifted = false;
            }
        }
        return false;
    default:
        return QObject::eventFilter(watched, event);
    }
}
