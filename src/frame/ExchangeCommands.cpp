#include "frame/ExchangeCommands.h"

#include "base/QtText.h"

#include "base/FileIo.h"
#include "channels/ChirpCsv.h"
#include "channels/CsvChannels.h"
#include "document/ProgramView.h"
#include "frame/FileChooser.h"
#include "image/DataFile.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdint>
#include <optional>
#include <span>

namespace velmora {

namespace {

// Far more than any channel list; a bigger file is not one.
constexpr std::size_t kLargestList = 16 * 1024 * 1024;

void Warn(const AppContext& app, const std::string& text) {
    if (app.prompter != nullptr) {
        app.prompter->Warn(app.company, text);
    }
}

} // namespace

QString ImportChannels(CProgramView& view, const AppContext& app, FileChooser& chooser,
                       QWidget* parent, bool atSelectedChannel) {
    const QString filter = ToQString(txt::CsvFileFilter.In(app.lang)) + QStringLiteral(";;") +
                           ToQString(txt::ChirpCsvFileFilter.In(app.lang));
    const QString path = chooser.OpenPath(parent, filter);
    if (path.isEmpty()) {
        return {};
    }
    std::optional<int> at;
    if (atSelectedChannel) {
        at = view.Selection().IsEmpty() ? view.CurrentCell().row : view.Selection().FirstRow();
    }
    return ImportChannelsFromFile(view, app, path, at);
}

QString ImportChannelsFromFile(CProgramView& view, const AppContext& app, const QString& path,
                               std::optional<int> at) {
    std::vector<std::uint8_t> bytes;
    const FileResult read = ReadFileHead(path.toStdString(), kLargestList, bytes);
    if (!read) {
        Warn(app, DescribeLoadFailure(path.toStdString(), read, app.lang));
        return {};
    }
    const std::string text(bytes.begin(), bytes.end());
    // First the whole list. When some rows cannot be taken (another band, a mode the radio
    // does not have), the user sees which and why and decides whether the others come in.
    bool offered = false;
    GridOutcome outcome = view.Operate([&](ChannelGrid& grid, const GridSelection&) {
        GridOutcome whole = grid.Import(text, {false, at});
        if (whole.refused && whole.canSkipRefused && app.prompter != nullptr) {
            offered = true;
            if (app.prompter->AskYesCancel(app.company, whole.message)) {
                return grid.Import(text, {true, at});
            }
            whole.message.clear(); // the user has seen it and said no
        }
        return whole;
    });
    if (outcome.refused) {
        return {};
    }
    // Overlapping lists are common: rows that repeat an earlier one are told, not refused.
    if (!outcome.warnings.empty()) {
        std::vector<std::string> lines;
        for (const ImportWarning& warning : outcome.warnings) {
            lines.push_back(FillText(txt::MsgRefusedLine, app.lang,
                                     {std::to_string(warning.line),
                                      FillText(txt::CsvWarning, app.lang, {warning.text})}));
        }
        Warn(app, ListedLines(std::string(txt::MsgImportWarnings.In(app.lang)), lines, app.lang));
    }
    const std::string file = QFileInfo(path).fileName().toStdString();
    if (offered) {
        return ToQString(FillText(
            txt::StatusImportedSkipped, app.lang,
            {std::to_string(outcome.accepted), file, std::to_string(outcome.rejected.size())}));
    }
    return ToQString(
        FillText(txt::StatusImported, app.lang, {std::to_string(outcome.accepted), file}));
}

QString ExportChannels(CProgramView& view, const AppContext& app, FileChooser& chooser,
                       QWidget* parent) {
    const CProgramDoc* doc = view.GetDocument();
    const QString base =
        doc->HasFileOfItsOwn()
            ? QFileInfo(doc->PathName()).completeBaseName()
            : (doc->PathName().isEmpty() ? QStringLiteral("Program") : doc->PathName());
    const QStringList filters{ToQString(txt::CsvFileFilter.In(app.lang)),
                              ToQString(txt::ChirpCsvFileFilter.In(app.lang))};
    const FileChooser::SaveChoice choice = chooser.SaveKindPath(
        parent, base + QStringLiteral(".csv"), filters, QStringLiteral(".csv"));
    if (choice.path.isEmpty()) {
        return {};
    }
    const ChannelListKind kind =
        choice.filterIndex == 1 ? ChannelListKind::Chirp : ChannelListKind::Velmora;
    return ExportChannelsToFile(view, app, choice.path, kind);
}

QString ExportChannelsToFile(CProgramView& view, const AppContext& app, const QString& path,
                             ChannelListKind kind) {
    view.CommitOpenEdit();
    const ChannelGridTexts grid = view.Channels().Texts();
    const std::string text =
        kind == ChannelListKind::Chirp ? ExportChirpCsv(grid) : ExportChannelsCsv(grid, app.lang);
    const auto* data = reinterpret_cast<const std::uint8_t*>(text.data());
    const FileResult written =
        WriteFileAtomically(path.toStdString(), std::span<const std::uint8_t>(data, text.size()));
    if (!written) {
        Warn(app, DescribeSaveFailure(path.toStdString(), written, app.lang));
        return {};
    }
    return ToQString(FillText(txt::StatusExported, app.lang, {path.toStdString()}));
}

QString CopyChannels(CProgramView& view, const AppContext& app) {
    view.CommitOpenEdit();
    const GridSelection selection = view.Selection();
    QGuiApplication::clipboard()->setText(QString::fromStdString(view.Channels().Copy(selection)));
    return ToQString(
        FillText(txt::StatusCopied, app.lang, {std::to_string(selection.Rows().size())}));
}

QString CutChannels(CProgramView& view, const AppContext& app) {
    std::string copied;
    const GridOutcome outcome = view.Operate(
        [&copied](ChannelGrid& grid, const GridSelection& at) { return grid.Cut(at, copied); });
    if (outcome.refused) {
        return {};
    }
    QGuiApplication::clipboard()->setText(QString::fromStdString(copied));
    return ToQString(
        FillText(txt::StatusCopied, app.lang, {std::to_string(outcome.selectRows.size())}));
}

QString PasteChannels(CProgramView& view, const AppContext& app) {
    const std::string text = QGuiApplication::clipboard()->text().toStdString();
    const GridOutcome outcome = view.Operate(
        [&text](ChannelGrid& grid, const GridSelection& at) { return grid.Paste(text, at); });
    if (outcome.refused) {
        return {};
    }
    return ToQString(
        FillText(txt::StatusPasted, app.lang, {std::to_string(outcome.changedRows.size())}));
}

} // namespace velmora
