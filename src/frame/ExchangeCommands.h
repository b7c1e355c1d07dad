// File > Import Channels... and Export Channels..., Edit > Cut, Copy and Paste: channel lists
// moving between the active channel window and files, spreadsheets and other radio programs.
//
// Rows coming in go through the core's model, which applies the same edit rules as typing into
// the grid; here the texts only move between it, the files and the clipboard. An import or a
// paste changes the grid as one undo step. Each returns what the status bar says afterwards
// (empty when nothing happened).
#pragma once

#include "settings/AppContext.h"

#include <QString>

#include <cstddef>
#include <optional>

class QWidget;

namespace velmora {

class CProgramView;
class FileChooser;

// The kinds of channel list Export offers, in the order of its file kinds.
enum class ChannelListKind { Velmora = 0, Chirp = 1 };

// A channel list from a file, at the channel numbers in it or, with atSelectedChannel, one
// after another from the selected channel. When some rows cannot be imported the user is asked
// whether to import the others.
QString ImportChannels(CProgramView& view, const AppContext& app, FileChooser& chooser,
                       QWidget* parent, bool atSelectedChannel = false);
QString ImportChannelsFromFile(CProgramView& view, const AppContext& app, const QString& path,
                               std::optional<int> at = std::nullopt);

QString ExportChannels(CProgramView& view, const AppContext& app, FileChooser& chooser,
                       QWidget* parent);
QString ExportChannelsToFile(CProgramView& view, const AppContext& app, const QString& path,
                             ChannelListKind kind);

// The selection (picked rows with their channel numbers, or cells) to the clipboard as
// tab-separated text.
QString CopyChannels(CProgramView& view, const AppContext& app);
// Copy, then clear what was copied.
QString CutChannels(CProgramView& view, const AppContext& app);
// The clipboard's rows into the grid from the selection on.
QString PasteChannels(CProgramView& view, const AppContext& app);

} // namespace velmora
