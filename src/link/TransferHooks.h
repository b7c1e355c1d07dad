// What a radio transfer needs from the person in front of the screen: a progress bar, a Cancel
// button, a Retry/Cancel question and an OK message. The GUI runs the transfer on a worker
// thread and marshals these to its window; the command-line tool and the tests answer directly.
#pragma once

#include "base/Texts.h"

namespace velmora {

enum class PromptAnswer { Retry, Cancel };

class TransferHooks {
public:
    virtual ~TransferHooks() = default;

    // The bar spans 0..range (461 for a write, 512 for a read); the count under it shows the
    // position in decimal. Called with position 0 before the port is opened.
    virtual void Progress(int position, int range) = 0;
    // The Cancel button's flag; looked at after every pump point.
    virtual bool Cancelled() = 0;
    // A moment where the transfer lets the rest of the program breathe: six of them before each
    // wake-up attempt and nine after each block.
    virtual void Pump() {}
    // "Communication Error, ..." with Retry and Cancel.
    virtual PromptAnswer CommunicationErrorPrompt() = 0;
    // A message box with only an OK button.
    virtual void ShowMessage(TextPair text) = 0;
};

} // namespace velmora
