// The window's host for tests: it keeps what the program told and asked the user and answers
// from a script, without a dialog.
#pragma once

#include <QStringList>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "app/gui/main/gui_host.h"

namespace qb::test {

class RecordingHost : public gui::GuiHost {
public:
    void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
    // A question is told as a message too, so `messages` holds all the user saw, in order.
    bool Confirm(std::string_view text) override {
        messages.emplace_back(text);
        questions.emplace_back(text);
        return answer;
    }
    void ShowWarning(const QString& text) override { warnings << text; }
    // The next scripted answer; No once the script is used up.
    SaveAnswer AskSaveChanges(const QString& name) override {
        asked << name;
        if (answers.empty()) return SaveAnswer::No;
        const SaveAnswer next = answers.front();
        answers.pop_front();
        return next;
    }
    ChangedFileAnswer AskAboutChangedFile(const QString& name) override {
        askedAboutChange << name;
        return changedFileAnswer;
    }
    std::optional<std::string> ChooseSaveFile(const QString&, const QString&, const QString&,
                                              const QString&) override {
        return savePath;
    }
    // Save As: the form it was preset to is kept; the choice is `saveForm`, else that preset.
    std::optional<gui::SaveChoice> ChooseSaveFileAndForm(const QString&, const QString&,
                                                         const QString&, const QString&,
                                                         const FileForm& form) override {
        savePresets.push_back(form);
        if (!savePath) return std::nullopt;
        return gui::SaveChoice{*savePath, saveForm.value_or(form)};
    }

    std::vector<std::string> messages;   // ShowMessage and Confirm texts
    std::vector<std::string> questions;  // Confirm texts
    QStringList warnings;
    QStringList asked;   // the names AskSaveChanges was asked about
    bool answer = true;  // Confirm's
    std::deque<SaveAnswer> answers;
    std::optional<std::string> savePath;  // ChooseSaveFile's; unset: Cancel
    std::optional<FileForm> saveForm;     // ChooseSaveFileAndForm's form; unset: its preset
    std::vector<FileForm> savePresets;    // the forms Save As was preset to
    QStringList askedAboutChange;         // the names AskAboutChangedFile was asked about
    ChangedFileAnswer changedFileAnswer = ChangedFileAnswer::Cancel;
};

}  // namespace qb::test
