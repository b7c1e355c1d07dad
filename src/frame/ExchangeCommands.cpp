#include "frame/ExchangeCommands.h"

#include "channels/ChirpCsv.h"
#include "channels/CsvChannels.h"
#include "channels/ProgramView.h"
#include "frame/FileChooser.h"
#include "image/DataFile.h"
#include "image/FileIo.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdint>
#include <span>

namespace velmora {

namespace {

// Far more than any channel list; a bigger file is not one.
constexpr std::size_t kLargestList = 16 * 1024 * 1024;

QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void Warn(const AppContext& app, const std::string& text) {
    if (app.prompter != nullptr) {
        app.prompter->Warn(app.company, text);
    }
}

} // namespace

std::string RefusedRowsMessage(const TextPair& heading, const std::vector<CsvRejection>& rejected,
                               Language lang) {
    std::string text(heading.In(lang));
    for (std::size_t i = 0; i < rejected.size() && i < kRefusedRowsShown; ++i) {
        text += '\n';
        text += Q(txt::MsgRefusedLine.In(lang))
                    .arg(rejected[i].line)
                    .arg(QString::fromStdString(rejected[i].reason))
                    .toStdString();
    }
    if (rejected.size() > kRefusedRowsShown) {
        text += '\n';
        text +=
            Q(txt::MsgMoreRefused.In(lang)).arg(rejected.size() - kRefusedRowsShown).toStdString();
    }
    return text;
}

QString ImportChannels(CProgramView& view, const AppContext& app, FileChooser& chooser,
                       QWidget* parent) {
    const QString filter = Q(txt::CsvFileFilter.In(app.lang)) + QStringLiteral(";;") +
                           Q(txt::ChirpCsvFileFilter.In(app.lang));
    const QString path = chooser.OpenPath(parent, filter);
    return path.isEmpty() ? QString() : ImportChannelsFromFile(view, app, path);
}

QString ImportChannelsFromFile(CProgramView& view, const AppContext& app, const QString& path) {
    std::vector<std::uint8_t> bytes;
    const FileResult read = ReadFileHead(path.toStdString(), kLargestList, bytes);
    if (!read) {
        Warn(app, DescribeLoadFailure(path.toStdString(), read, app.lang));
        return {};
    }
    // The rows apply to the grid as the user sees it, a pending edit included.
    view.CommitOpenEdit();
    const std::string text(bytes.begin(), bytes.end());
    const CsvImportResult result = ImportChannelsCsv(text, view.GridTexts(), view.Band(), app.lang);
    if (!result.rejected.empty()) {
        // A list half taken would leave the user to find out which half: nothing changes.
        Warn(app, RefusedRowsMessage(txt::MsgImportRefused, result.rejected, app.lang));
        return {};
    }
    view.ReplaceGridTexts(result.grid, Q(txt::UndoImport.In(app.lang)));
    return Q(txt::StatusImported.In(app.lang))
        .arg(result.changedChannels.size())
        .arg(QFileInfo(path).fileName());
}

QString ExportChannels(CProgramView& view, const AppContext& app, FileChooser& chooser,
                       QWidget* parent) {
    const CProgramDoc* doc = view.GetDocument();
    const QString base =
        doc->HasFileOfItsOwn()
            ? QFileInfo(doc->PathName()).completeBaseName()
            : (doc->PathName().isEmpty() ? QStringLiteral("Program") : doc->PathName());
    const QStringList filters{Q(txt::CsvFileFilter.In(app.lang)),
                              Q(txt::ChirpCsvFileFilter.In(app.lang))};
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
    const ChannelGridTexts grid = view.GridTexts();
    const std::string text =
        kind == ChannelListKind::Chirp ? ExportChirpCsv(grid) : ExportChannelsCsv(grid, app.lang);
    const auto* data = reinterpret_cast<const std::uint8_t*>(text.data());
    const FileResult written =
        WriteFileAtomically(path.toStdString(), std::span<const std::uint8_t>(data, text.size()));
    if (!written) {
        Warn(app, DescribeSaveFailure(path.toStdString(), written, app.lang));
        return {};
    }
    return Q(txt::StatusExported.In(app.lang)).arg(path);
}

QString CopyChannels(CProgramView& view, const AppContext& app) {
    view.CommitOpenEdit();
    const auto [first, last] = view.ChosenChannels();
    const std::string text = CopyChannelRows(view.GridTexts(), first, last);
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
    return Q(txt::StatusCopied.In(app.lang)).arg(last - first + 1);
}

QString PasteChannels(CProgramView& view, const AppContext& app) {
    const std::string text = QGuiApplication::clipboard()->text().toStdString();
    if (text.empty()) {
        return {};
    }
    view.CommitOpenEdit();
    const CsvImportResult result = PasteChannelRows(
        text, view.GridTexts(), view.ChosenChannels().first, view.Band(), app.lang);
    // The rows that were taken stay; the user is told which were not and why.
    view.ReplaceGridTexts(result.grid, Q(txt::UndoPaste.In(app.lang)));
    if (!result.rejected.empty()) {
        Warn(app, RefusedRowsMessage(txt::MsgPasteRefused, result.rejected, app.lang));
    }
    return Q(txt::StatusPasted.In(app.lang)).arg(result.changedChannels.size());
}

} // namespace velmora
