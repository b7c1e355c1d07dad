// A Prompter that records every message and answers from a script, for tests of windows.
#pragma once

#include "base/Prompter.h"

#include <deque>
#include <string>
#include <vector>

namespace velmora::test {

class RecordingPrompter : public Prompter {
public:
    struct Shown {
        std::string caption;
        std::string text;
    };

    void Warn(const std::string& caption, const std::string& text) override {
        shown.push_back({caption, text});
    }
    bool AskOkCancel(const std::string& caption, const std::string& text) override {
        shown.push_back({caption, text});
        if (okAnswers.empty()) {
            return true;
        }
        const bool ok = okAnswers.front();
        okAnswers.pop_front();
        return ok;
    }

    SaveAnswer AskSaveChanges(const std::string& caption, const std::string& text) override {
        shown.push_back({caption, text});
        if (saveAnswers.empty()) {
            return SaveAnswer::Discard;
        }
        const SaveAnswer answer = saveAnswers.front();
        saveAnswers.pop_front();
        return answer;
    }
    bool AskYesCancel(const std::string& caption, const std::string& text) override {
        shown.push_back({caption, text});
        if (yesAnswers.empty()) {
            return true;
        }
        const bool yes = yesAnswers.front();
        yesAnswers.pop_front();
        return yes;
    }

    std::vector<Shown> shown;
    std::deque<bool> okAnswers;         // true: OK; an empty queue answers OK
    std::deque<SaveAnswer> saveAnswers; // an empty queue answers Discard
    std::deque<bool> yesAnswers;        // true: Yes; an empty queue answers Yes
};

} // namespace velmora::test
