#pragma once

#include "forms/common/platform.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace hygrovane::testing {

// A scripted Platform: answers and dialog results are taken from queues in order (an empty queue
// answers Cancel / a cancelled dialog), and everything asked or shown is recorded.
class FakePlatform : public forms::Platform {
  public:
    struct Shown {
        std::string message;
        std::string title;
    };

    std::deque<Answer> answers;
    std::deque<std::optional<std::string>> openPaths;
    std::deque<std::optional<std::string>> savePaths;
    bool documentsOpen = true;
    bool webPagesOpen = true;

    std::vector<Shown> questions;
    std::vector<Shown> messages;
    int openDialogs = 0;
    int saveDialogs = 0;
    std::vector<std::string> documents;
    std::vector<std::string> webPages;

    Answer askYesNoCancel(const std::string& message, const std::string& title) override {
        questions.push_back({message, title});
        return take(answers, Answer::Cancel);
    }
    void showMessage(const std::string& message, const std::string& title) override {
        messages.push_back({message, title});
    }
    std::optional<std::string> openFileDialog() override {
        ++openDialogs;
        return take(openPaths, std::optional<std::string>());
    }
    std::optional<std::string> saveFileDialog() override {
        ++saveDialogs;
        return take(savePaths, std::optional<std::string>());
    }
    bool openDocument(const std::string& path) override {
        documents.push_back(path);
        return documentsOpen;
    }
    bool openWebPage(const std::string& url) override {
        webPages.push_back(url);
        return webPagesOpen;
    }

  private:
    template <typename T> static T take(std::deque<T>& queue, T otherwise) {
        if (queue.empty()) {
            return otherwise;
        }
        T value = queue.front();
        queue.pop_front();
        return value;
    }
};

} // namespace hygrovane::testing
