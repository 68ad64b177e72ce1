#include "platform/widgets/BalloonService.h"

#include "platform/widgets/Balloon.h"

#include <QCoreApplication>

BalloonService::BalloonService(QWidget *owner) : QObject(owner), m_owner(owner) {}

BalloonService::~BalloonService()
{
    for (auto &[slot, balloon] : m_slots)
        delete balloon.data();
}

bool BalloonService::open(int slot, const QString &title, int opacity, bool withTitle, bool centred,
                          int width, int x, int y, const QString &text)
{
    close(slot);
    auto *b = new Balloon(m_owner);
    b->setTitle(title);
    b->setShowsTitle(withTitle);
    b->setText(text);
    b->setMaxTextWidth(width);
    b->setTip(QPoint(x, y), centred);
    m_slots[slot] = b;
    m_opening = true;
    b->setOpacity(opacity);
    b->show();
    QCoreApplication::processEvents();
    m_opening = false;
    return true;
}

bool BalloonService::close(int slot)
{
    const auto it = m_slots.find(slot);
    if (it == m_slots.end())
        return false;
    Balloon *b = it->second.data();
    m_slots.erase(it);
    if (!b)
        return false;
    b->hide();
    b->deleteLater();
    return true;
}

bool BalloonService::isOpen(int slot) const
{
    const auto it = m_slots.find(slot);
    return it != m_slots.end() && it->second;
}

Balloon *BalloonService::balloon(int slot) const
{
    const auto it = m_slots.find(slot);
    return it == m_slots.end() ? nullptr : it->second.data();
}
