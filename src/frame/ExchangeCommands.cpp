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
    const std::string text(bytes.begin(), bytes.end());
    // A list half taken would leave the user to find out which half: a refused row refuses
    // the file, and the message names every refused row.
    const GridOutcome outcome = view.Operate(
        [&text](ChannelGrid& grid, const GridSelection&) { return grid.ImportCsv(text); });
    if (outcome.refused) {
        return {};
    }
    return Q(FillText(
        txt::StatusImported, app.lang,
        {std::to_string(outcome.changedRows.size()), QFileInfo(path).fileName().toStdString()}));
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
    return Q(FillText(txt::StatusExported, app.lang, {path.toStdString()}));
}

QString CopyChannels(CProgramView& view, const AppContext& app) {
    view.CommitOpenEdit();
    const GridSelection selection = view.Selection();
    QGuiApplication::clipboard()->setText(QString::fromStdString(view.Channels().Copy(selection)));
    return Q(FillText(txt::StatusCopied, app.lang, {std::to_string(selection.Rows().size())}));
}

QString CutChannels(CProgramView& view, const AppContext& app) {
    std::string copied;
    const GridOutcome outcome = view.Operate(
        [&copied](ChannelGrid& grid, const GridSelection& at) { return grid.Cut(at, copied); });
    if (outcome.refused) {
        return {};
    }
    QGuiApplication::clipboard()->setText(QString::fromStdString(copied));
    return Q(FillText(txt::StatusCopied, app.lang, {std::to_string(outcome.selectRows.size())}));
}

QString PasteChannels(CProgramView& view, const AppContext& app) {
    const std::string text = QGuiApplication::clipboard()->text().toStdString();
    const GridOutcome outcome = view.Operate(
        [&text](ChannelGrid& grid, const GridSelection& at) { return grid.Paste(text, at); });
    if (outcome.refused) {
        return {};
    }
    return Q(FillText(txt::StatusPasted, app.lang, {std::to_string(outcome.changedRows.size())}));
}

} // namespace velmora
