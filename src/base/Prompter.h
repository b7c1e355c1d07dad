// The program's message boxes, as an interface: Qt message boxes in the program, a recording
// fake in tests. Texts and captions are decided by the caller.
#pragma once

#include <string>

namespace velmora {

// The answer to "Save changes?".
enum class SaveAnswer { Save, Discard, Cancel };

class Prompter {
public:
    virtual ~Prompter() = default;
    // An exclamation box with an OK button.
    virtual void Warn(const std::string& caption, const std::string& text) = 0;
    // OK and Cancel; true for OK.
    virtual bool AskOkCancel(const std::string& caption, const std::string& text) = 0;
    // Save, Discard and Cancel, for a document with changes that were not saved.
    virtual SaveAnswer AskSaveChanges(const std::string& caption, const std::string& text) = 0;
    // Yes and Cancel; true for Yes.
    virtual bool AskYesCancel(const std::string& caption, const std::string& text) = 0;
};

} // namespace velmora
