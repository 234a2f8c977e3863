#pragma once
// An edit field of the dialog that always shows its whole text: a text wider than the field
// at its own type size (an average of readings around zero in exponent form, a counter near
// its largest value, a long number typed into the live field) is drawn in smaller type until
// it fits, and in the field's own type again once it fits. The platform's fields scroll such
// a text out of sight instead, so that the bench operator reads a wrong number.

#include <QLineEdit>

namespace mensora {

class FittingField : public QLineEdit {
    Q_OBJECT
public:
    explicit FittingField(QWidget* parent = nullptr);

    // The type the field shows its text in whenever the text fits at that size.
    void setFullFont(const QFont& font);
    const QFont& fullFont() const { return full_; }

    // Where the text is drawn: the field less its frame and the margins Qt keeps inside.
    QRect textRoom() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fit();

    QFont full_;  // the window's dialog font unless told otherwise
};

}  // namespace mensora
