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
        if (okAnswers.empty()) {
            return true;
        }
        const bool ok = okAnswers.front();
        okAnswers.pop_front();
        return ok;
    }

    std::vector<Shown> shown;
    std::deque<bool> okAnswers; // true: OK; an empty queue answers OK
};

} // namespace velmora::test
