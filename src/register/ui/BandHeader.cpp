#include "register/ui/BandHeader.h"

#include <QPainter>
#include <QStyleOptionHeader>

namespace valdora::roles {

BandHeader::BandHeader(QWidget *parent) : QHeaderView(Qt::Horizontal, parent)
{
    setSectionsClickable(true);
    setHighlightSections(false);
}

void BandHeader::addBand(const QString &title, int firstSection, int lastSection)
{
    bands_.push_back({title, firstSection, lastSection});
    updateGeometry();
    viewport()->update();
}

const BandHeader::Band *BandHeader::band(int logicalIndex) const
{
    for (const auto &b : bands_)
        if (logicalIndex >= b.first && logicalIndex <= b.last)
            return &b;
    return nullptr;
}

QString BandHeader::bandOf(int logicalIndex) const
{
    const Band *b = band(logicalIndex);
    return b ? b->title : QString();
}

QSize BandHeader::sizeHint() const
{
    QSize s = QHeaderView::sizeHint();
    if (!bands_.empty())
        s.setHeight(s.height() * 2);
    return s;
}

void BandHeader::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    const Band *b = band(logicalIndex);
    if (!b) {
        QHeaderView::paintSection(painter, rect, logicalIndex);
        return;
    }
    const int half = rect.height() / 2;
    // The band's title is drawn across all its columns; each column paints its part.
    int left = sectionViewportPosition(b->first), right = left;
    for (int s = b->first; s <= b->last; ++s)
        right = qMax(right, sectionViewportPosition(s) + sectionSize(s));
    painter->save();
    painter->setClipRect(QRect(rect.left(), rect.top(), rect.width(), half));
    QStyleOptionHeader opt;
    initStyleOption(&opt);
    opt.rect = QRect(left, rect.top(), right - left, half);
    opt.text = b->title;
    opt.textAlignment = Qt::AlignCenter;
    opt.section = logicalIndex;
    style()->drawControl(QStyle::CE_Header, &opt, painter, this);
    painter->restore();
    painter->save();
    QHeaderView::paintSection(painter, QRect(rect.left(), rect.top() + half, rect.width(), rect.height() - half), logicalIndex);
    painter->restore();
}

} // namespace valdora::roles
