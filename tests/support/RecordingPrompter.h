// A Prompter that records every message and answers from a script, for tests of windows.
#pragma once

#include "app/Prompter.h"

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
        return Next() != PromptAnswer::Cancel;
    }
    PromptAnswer AskRetryCancel(const std::string& caption, const std::string& text) override {
        shown.push_back({caption, text});
        return Next();
    }

    std::vector<Shown> shown;
    std::deque<PromptAnswer> answers; // empty: OK / Cancel for Retry prompts

private:
    PromptAnswer Next() {
        if (answers.empty()) {
            return PromptAnswer::Ok;
        }
        const PromptAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

} // namespace velmora::test
