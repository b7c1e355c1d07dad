// What the windows share for the whole run: the language fixed at start-up, the model types
// and bands of the installation, the per-user store and the message boxes.
#pragma once

#include "base/Prompter.h"
#include "base/Texts.h"
#include "settings/ProductBand.h"
#include "settings/UserStore.h"

#include <string>

namespace velmora {

class PortChoice;

struct AppContext {
    Language lang = Language::English;
    ProductCatalog catalog;
    UserStore* store = nullptr;
    Prompter* prompter = nullptr;
    std::string company; // caption of the program's message boxes
    std::string appName; // Setup/AppName: the preset file name of a new document
    // The port every transfer opens, owned by the application (none: each window keeps its
    // own, which only tests do).
    PortChoice* ports = nullptr;
};

} // namespace velmora
