// The program's message boxes as Qt message boxes.
#pragma once

#include "base/Prompter.h"

class QWidget;

namespace velmora {

class QtPrompter : public Prompter {
public:
    void SetOwner(QWidget* owner) { m_pOwner = owner; }
    void Warn(const std::string& caption, const std::string& text) override;
    bool AskOkCancel(const std::string& caption, const std::string& text) override;
    SaveAnswer AskSaveChanges(const std::string& caption, const std::string& text) override;
    bool AskYesCancel(const std::string& caption, const std::string& text) override;

private:
    QWidget* m_pOwner = nullptr;
};

} // namespace velmora
