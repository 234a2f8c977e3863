#pragma once
// A window that remembers what the core asked of it, and answers its questions from a script.

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/window_port.h"

namespace mensora::test {

class FakeWindow : public WindowPort {
public:
    struct Message {
        std::string text;
        MessageIcon icon;
    };

    void setText(int id, const std::string& text) override { texts[id] = text; }
    std::string text(int id) const override {
        const auto it = texts.find(id);
        return it == texts.end() ? std::string() : it->second;
    }
    void enable(int id, bool on) override {
        enabled[id] = on;
        enableCalls.emplace_back(id, on);
    }
    void setFocus(int id) override { focused = id; }
    void setChecked(int id, bool on) override { checked[id] = on; }
    bool isChecked(int id) const override {
        const auto it = checked.find(id);
        return it != checked.end() && it->second;
    }
    void setListItems(int id, const char* const* items, int count) override {
        listItems[id].assign(items, items + count);
        selected[id] = -1;
    }
    void selectListItem(int id, int index) override {
        const auto it = listItems.find(id);
        const int size = it == listItems.end() ? 0 : static_cast<int>(it->second.size());
        selected[id] = index >= 0 && index < size ? index : -1;
    }
    int selectedListItem(int id) const override {
        const auto it = selected.find(id);
        return it == selected.end() ? -1 : it->second;
    }
    void setUpRecordList(Language language) override {
        ++recordListSetUps;
        recordListLanguage = language;
    }
    void recordListAppended() override { ++appendedRows; }
    void recordListCleared() override { ++listClears; }
    void scrollRecordListToEnd() override { ++scrolls; }
    void showMessage(const std::string& text, MessageIcon icon) override {
        messages.push_back({text, icon});
        if (onMessage) onMessage();
    }
    bool askYesNo(const std::string& text) override {
        questions.push_back(text);
        if (yesNoAnswers.empty()) return false;
        const bool answer = yesNoAnswers.front();
        yesNoAnswers.pop_front();
        return answer;
    }
    void showAbout() override { ++aboutShown; }
    std::optional<SaveChoice> askSavePath(const std::string& offeredName,
                                          const std::vector<std::string>& fileTypes) override {
        saveDialogs.push_back({offeredName, fileTypes});
        if (!savePathAnswer) return std::nullopt;
        return SaveChoice{*savePathAnswer, fileTypeAnswer};
    }
    void showProgress(const std::string& text, const std::string& cancelText) override {
        progressShown = {text, cancelText};
        progress.push_back(0);
    }
    void setProgress(int percent) override { progress.push_back(percent); }
    void hideProgress() override { progressShown.reset(); }

    bool isEnabled(int id) const {
        const auto it = enabled.find(id);
        return it == enabled.end() || it->second;
    }
    std::vector<std::string> messageTexts() const {
        std::vector<std::string> out;
        for (const auto& m : messages) out.push_back(m.text);
        return out;
    }

    std::map<int, std::string> texts;
    std::map<int, bool> enabled;
    std::vector<std::pair<int, bool>> enableCalls;  // in the order they came
    std::map<int, bool> checked;
    std::map<int, std::vector<std::string>> listItems;
    std::map<int, int> selected;
    int focused = 0;
    int recordListSetUps = 0;
    Language recordListLanguage = Language::Chinese;
    int appendedRows = 0;
    int listClears = 0;
    int scrolls = 0;
    int aboutShown = 0;
    std::vector<Message> messages;
    std::function<void()> onMessage;  // runs while a box is "open", as a nested loop would
    std::vector<std::string> questions;
    std::deque<bool> yesNoAnswers;
    struct SaveDialog {
        std::string offeredName;
        std::vector<std::string> fileTypes;
    };
    std::vector<SaveDialog> saveDialogs;
    std::optional<std::string> savePathAnswer;
    std::size_t fileTypeAnswer = 0;  // the type showing when the dialog closed
    // The progress box's text and Cancel while it stands; each bar position shown.
    std::optional<std::pair<std::string, std::string>> progressShown;
    std::vector<int> progress;
};

}  // namespace mensora::test
