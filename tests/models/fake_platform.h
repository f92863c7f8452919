#pragma once

#include "models/platform.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace hygrovane::testing {

// A scripted Platform: answers and chosen paths come from queues in order (an empty queue answers
// Cancel / a cancelled dialog); everything asked or shown is recorded.
class FakePlatform : public models::Platform {
  public:
    struct Shown {
        std::string message, title;
    };
    using Path = std::optional<std::string>;

    std::deque<Answer> answers;
    std::deque<Path> openPaths, savePaths;
    bool documentsOpen = true, webPagesOpen = true;
    std::vector<Shown> questions, messages;
    int openDialogs = 0, saveDialogs = 0;
    std::vector<std::string> documents, webPages;

    Answer askYesNoCancel(const std::string& message, const std::string& title) override {
        questions.push_back({message, title});
        return take(answers, Answer::Cancel);
    }
    // Recorded with the other questions; Yes and No come from the same queue (an empty queue
    // answers No).
    bool askYesNo(const std::string& message, const std::string& title) override {
        questions.push_back({message, title});
        return take(answers, Answer::No) == Answer::Yes;
    }
    void showMessage(const std::string& message, const std::string& title) override {
        messages.push_back({message, title});
    }
    Path openFileDialog() override { return ++openDialogs, take(openPaths, Path()); }
    // The filters offered, one per dialog that offered one.
    std::vector<std::string> openFilters;
    Path openFileDialogFor(const std::string& filter) override {
        openFilters.push_back(filter);
        return openFileDialog();
    }
    Path saveFileDialog() override { return ++saveDialogs, take(savePaths, Path()); }
    models::CommandOutcome openDocument(const std::string& path) override {
        documents.push_back(path);
        return documentsOpen ? models::CommandOutcome::Done : models::CommandOutcome::Refused;
    }
    models::CommandOutcome openWebPage(const std::string& url) override {
        webPages.push_back(url);
        return webPagesOpen ? models::CommandOutcome::Done : models::CommandOutcome::Refused;
    }

  private:
    template <typename T> static T take(std::deque<T>& queue, T otherwise) {
        if (!queue.empty()) {
            otherwise = queue.front();
            queue.pop_front();
        }
        return otherwise;
    }
};

} // namespace hygrovane::testing
