#include "ui/about_box.h"

#include <QIcon>
#include <QMessageBox>

#include "base/texts.h"

namespace mensora {

void showAboutBox(QWidget* parent, Language language) {
    QMessageBox box(parent);
    box.setWindowTitle(QString::fromUtf8(pick(texts::kAboutTitle, language)));
    box.setIconPixmap(QIcon(QStringLiteral(":/mensora.png")).pixmap(64, 64));
    box.setText(QString::fromUtf8(texts::kAboutProduct));
    box.setInformativeText(QString::fromUtf8(pick(texts::kAboutDescription, language)));
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

}  // namespace mensora
