#include "base/caption_fitting.h"

#include <vector>

namespace mensora {
namespace {

std::vector<std::string_view> wordsOf(std::string_view caption) {
    std::vector<std::string_view> words;
    std::size_t start = 0;
    while (start < caption.size()) {
        const std::size_t blank = caption.find(' ', start);
        const std::size_t end = blank == std::string_view::npos ? caption.size() : blank;
        if (end > start) words.push_back(caption.substr(start, end - start));
        start = end + 1;
    }
    return words;
}

}  // namespace

std::string fittingCaption(std::string_view caption, bool fitsWrapped, bool alignRight,
                           int boxWidth, const LineWidth& lineWidth) {
    if (fitsWrapped) return std::string(caption);
    const std::vector<std::string_view> words = wordsOf(caption);
    std::string shown;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string_view word = words[alignRight ? words.size() - 1 - i : i];
        std::string longer;
        if (shown.empty()) {
            longer = word;
        } else if (alignRight) {
            longer.append(word).append(" ").append(shown);
        } else {
            longer.append(shown).append(" ").append(word);
        }
        if (!shown.empty() && lineWidth(longer) > boxWidth) break;
        shown = std::move(longer);
    }
    return shown;
}

}  // namespace mensora
