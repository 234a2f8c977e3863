#include "ui/standard_dialog_texts.h"

#include <QCoreApplication>
#include <QLibraryInfo>

#include "base/language.h"

namespace mensora {

std::unique_ptr<QTranslator> installStandardDialogTexts(Language language) {
    if (language == Language::English) return nullptr;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_zh_CN"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        return nullptr;  // English standard buttons are still usable
    }
    QCoreApplication::installTranslator(translator.get());
    return translator;
}

}  // namespace mensora
