// File > Import Channels... and Export Channels..., Edit > Copy and Paste: channel lists moving
// between the active channel window and files, spreadsheets and other radio programs.
//
// Rows coming in go through the core's import, which applies the same edit rules as typing
// into the grid; here the texts only move between it, the files, the clipboard and the grid.
// An import is all or nothing; a paste takes the rows it can and names the others. Each
// changes the grid as one undo step. Each returns what the status bar says afterwards (empty
// when nothing happened).
#pragma once

#include "app/AppContext.h"
#include "channels/CsvImport.h"

#include <QString>

#include <string>
#include <vector>

class QWidget;

namespace velmora {

class CProgramView;
class FileChooser;

// The kinds of channel list Export offers, in the order of its file kinds.
enum class ChannelListKind { Velmora = 0, Chirp = 1 };

QString ImportChannels(CProgramView& view, const AppContext& app, FileChooser& chooser,
                       QWidget* parent);
QString ImportChannelsFromFile(CProgramView& view, const AppContext& app, const QString& path);

QString ExportChannels(CProgramView& view, const AppContext& app, FileChooser& chooser,
                       QWidget* parent);
QString ExportChannelsToFile(CProgramView& view, const AppContext& app, const QString& path,
                             ChannelListKind kind);

// The chosen rows (ChosenChannels) to the clipboard as tab-separated text.
QString CopyChannels(CProgramView& view, const AppContext& app);
// The clipboard's rows into the grid from the first chosen row on.
QString PasteChannels(CProgramView& view, const AppContext& app);

// One message for refused rows: the heading, then "line N: reason" for each, at most
// kRefusedRowsShown of them and a count of the rest.
inline constexpr std::size_t kRefusedRowsShown = 20;
std::string RefusedRowsMessage(const TextPair& heading, const std::vector<CsvRejection>& rejected,
                               Language lang);

} // namespace velmora
