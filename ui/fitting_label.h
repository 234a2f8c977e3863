#pragma once
// A static text of the dialog: it wraps at word boundaries within its box, as the platform's
// static controls do. A caption that cannot fit its box even wrapped (a translation longer
// than the box the layout gives it) shows the whole words that fit on one line, the last
// ones when it is right-aligned and the first ones otherwise, and offers the whole caption
// as its tooltip, instead of painting half a word or spilling over its neighbours.
// text() is always the whole caption.

#include <QLabel>

namespace mensora {

class FittingLabel : public QLabel {
    Q_OBJECT
public:
    explicit FittingLabel(const QString& caption, QWidget* parent = nullptr);

    // What the label shows: the caption, or the words of it that fit.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    // How the caption meets its box, measured again only when the caption, the box, the type
    // or the alignment changed: a label is painted far more often than any of them changes.
    struct Fit {
        QString caption;
        QRect box;
        QFont font;
        Qt::Alignment alignment;
        bool fits = false;
        QString shown;
        bool measured = false;
    };
    const Fit& fit() const;
    bool captionFits() const { return fit().fits; }

    mutable Fit fit_;
};

}  // namespace mensora
