#include "ui/about_box.h"

#include <QIcon>
#include <QMessageBox>

#include "base/language.h"

namespace mensora {

void showAboutBox(QWidget* parent, Language language) {
    const bool english = language == Language::English;
    QMessageBox box(parent);
    box.setWindowTitle(english ? QStringLiteral("About Mensora")
                               : QStringLiteral("关于 Mensora"));
    box.setIconPixmap(QIcon(QStringLiteral(":/mensora.png")).pixmap(64, 64));
    box.setText(QStringLiteral("Mensora 3.8.0"));
    box.setInformativeText(
        english ? QStringLiteral("Reads a digital measuring gauge at the inspection bench, "
                                 "records and judges its readings and saves them.")
                : QStringLiteral("检测台数显量具数据采集：读取、记录、判定并保存测量值。"));
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

}  // namespace mensora
