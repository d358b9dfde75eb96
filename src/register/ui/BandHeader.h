#pragma once
// A grid header with bands: a title over a run of columns ("Scutiri" over the
// five exemption percents), the columns' own titles beneath it.

#include <QHeaderView>
#include <vector>

namespace valdora::roles {

class BandHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit BandHeader(QWidget *parent = nullptr);
    void addBand(const QString &title, int firstSection, int lastSection);
    // The band over a section, empty when there is none.
    QString bandOf(int logicalIndex) const;

protected:
    QSize sizeHint() const override;
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;

private:
    struct Band {
        QString title;
        int first;
        int last;
    };
    const Band *band(int logicalIndex) const;
    std::vector<Band> bands_;
};

} // namespace valdora::roles
