#include "channels/ChannelGrid.h"

#include "channels/ChannelClipboard.h"
#include "channels/GridCellOps.h"

#include <utility>

namespace velmora {

namespace {

std::string RefusedLines(const TextPair& heading, const std::vector<CsvRejection>& rejected,
                         Language lang) {
    std::vector<std::string> lines;
    for (const CsvRejection& row : rejected) {
        lines.push_back(
            FillText(txt::MsgRefusedLine, lang, {std::to_string(row.line), row.reason}));
    }
    return ListedLines(std::string(heading.In(lang)), lines, lang);
}

std::vector<int> RowList(const GridSelection& at) {
    return {at.Rows().begin(), at.Rows().end()};
}

} // namespace

ChannelGrid::ChannelGrid(Language lang) : lang_(lang) {
    for (GridRow& row : rows_) {
        row.bytes.fill(0xFF);
    }
}

void ChannelGrid::ShowChannels(const MemoryImage& image) {
    const ChannelGridTexts texts = DecodeAllChannels(image, lang_);
    for (int i = 0; i < kChannelCount; ++i) {
        const auto at = static_cast<std::size_t>(i);
        rows_[at] = {texts[at], ReadChannelBytes(image, i)};
    }
    history_.Clear();
}

void ChannelGrid::StoreChannels(MemoryImage& image) const {
    for (int i = 0; i < kChannelCount; ++i) {
        WriteChannelBytes(image, i, rows_[static_cast<std::size_t>(i)].bytes);
    }
    EncodeAllChannels(image, Texts());
}

const GridRow& ChannelGrid::RowWithBytes(int row) const {
    return rows_[static_cast<std::size_t>(IsChannelIndex(row) ? row : 0)];
}

const ChannelTexts& ChannelGrid::Row(int row) const {
    return RowWithBytes(row).texts;
}

const std::string& ChannelGrid::Text(int row, Column column) const {
    return Cell(Row(row), column);
}

ChannelGridTexts ChannelGrid::Texts() const {
    ChannelGridTexts texts;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        texts[i] = rows_[i].texts;
    }
    return texts;
}

GridOutcome ChannelGrid::Edit(int row, Column column, std::string_view text) {
    if (!IsChannelIndex(row)) {
        return Refused(std::string(txt::MsgNothingSelected.In(lang_)));
    }
    const CommitResult commit = CommitCell(rows_[static_cast<std::size_t>(row)].texts, column, text,
                                           band_, CommitKey::LeaveCell, lang_);
    if (commit.rejected) {
        return Refused(std::string(commit.message.value_or(txt::MsgOutOfRange).In(lang_)));
    }
    GridRows next = rows_;
    next[static_cast<std::size_t>(row)].texts = commit.row;
    return Apply(txt::UndoEdit, std::move(next), {row});
}

GridOutcome ChannelGrid::Import(std::string_view csv, const ImportOptions& options) {
    const ImportPlan plan = PlanImport(csv, Texts(), band_, lang_, options);
    GridOutcome outcome;
    if (plan.Done()) {
        outcome = ApplyTexts(txt::UndoImport, plan.grid, plan.changedChannels);
    } else if (!options.skipRefused && !plan.wholeRefusal && plan.accepted > 0) {
        outcome = Refused(RefusedLines(txt::MsgImportSomeRefused, plan.refused, lang_) + "\n\n" +
                          FillText(txt::MsgImportOthers, lang_, {std::to_string(plan.accepted)}));
        outcome.canSkipRefused = true;
    } else {
        outcome = Refused(RefusedLines(txt::MsgImportRefused, plan.AllRefusals(), lang_));
    }
    outcome.rejected = plan.AllRefusals();
    outcome.accepted = plan.accepted;
    outcome.warnings = plan.warnings;
    return outcome;
}

std::string ChannelGrid::Copy(const GridSelection& at) const {
    return CopySelection(Texts(), at);
}

GridOutcome ChannelGrid::Paste(std::string_view text, const GridSelection& at) {
    const CsvImportResult result = PasteText(text, Texts(), at, band_, lang_);
    if (!result.rejected.empty()) {
        GridOutcome outcome = Refused(RefusedLines(txt::MsgPasteRefused, result.rejected, lang_));
        outcome.rejected = result.rejected;
        return outcome;
    }
    return ApplyTexts(txt::UndoPaste, result.grid, result.changedChannels);
}

GridOutcome ChannelGrid::Cut(const GridSelection& at, std::string& copied) {
    if (at.IsEmpty()) {
        return Refused(std::string(txt::MsgNothingSelected.In(lang_)));
    }
    copied = Copy(at);
    ChannelGridTexts texts = Texts();
    ClearCells(texts, at, band_, lang_);
    return ApplyTexts(txt::UndoCut, texts, RowList(at));
}

GridOutcome ChannelGrid::Delete(const GridSelection& at) {
    if (at.IsEmpty()) {
        return Refused(std::string(txt::MsgNothingSelected.In(lang_)));
    }
    ChannelGridTexts texts = Texts();
    ClearCells(texts, at, band_, lang_);
    return ApplyTexts(txt::UndoDelete, texts, RowList(at));
}

GridOutcome ChannelGrid::InsertRows(const GridSelection& at) {
    GridRows next = rows_;
    const RowOpResult result = velmora::InsertRows(next, at, lang_);
    return RowOperation(txt::UndoInsertRow, result, std::move(next));
}

GridOutcome ChannelGrid::DeleteRows(const GridSelection& at) {
    GridRows next = rows_;
    const RowOpResult result = velmora::DeleteRows(next, at, lang_);
    return RowOperation(txt::UndoDeleteRow, result, std::move(next));
}

GridOutcome ChannelGrid::MoveUp(const GridSelection& at) {
    GridRows next = rows_;
    const RowOpResult result = MoveRows(next, at, -1, lang_);
    return RowOperation(txt::UndoMoveUp, result, std::move(next));
}

GridOutcome ChannelGrid::MoveDown(const GridSelection& at) {
    GridRows next = rows_;
    const RowOpResult result = MoveRows(next, at, 1, lang_);
    return RowOperation(txt::UndoMoveDown, result, std::move(next));
}

GridOutcome ChannelGrid::Sort(const GridSelection& at, SortKey key) {
    GridRows next = rows_;
    const RowOpResult result = SortRows(next, at, key);
    return RowOperation(txt::UndoSort, result, std::move(next));
}

GridOutcome ChannelGrid::FillDown(const GridSelection& at) {
    if (at.IsEmpty()) {
        return Refused(std::string(txt::MsgNothingSelected.In(lang_)));
    }
    ChannelGridTexts texts = Texts();
    if (std::optional<std::string> refusal = velmora::FillDown(texts, at, band_, lang_)) {
        return Refused(std::move(*refusal));
    }
    return ApplyTexts(txt::UndoFillDown, texts, RowList(at));
}

std::optional<GridCell> ChannelGrid::Find(std::string_view query, GridCell from) const {
    return FindCell(Texts(), query, from);
}

ImageComparison ChannelGrid::Compare(const MemoryImage& documentImage,
                                     const MemoryImage& other) const {
    MemoryImage current = documentImage;
    StoreChannels(current);
    return CompareImages(current, other, lang_);
}

std::optional<TextPair> ChannelGrid::UndoName() const {
    const GridStep* step = history_.NextUndo();
    return step ? std::optional<TextPair>(step->name) : std::nullopt;
}

std::optional<TextPair> ChannelGrid::RedoName() const {
    const GridStep* step = history_.NextRedo();
    return step ? std::optional<TextPair>(step->name) : std::nullopt;
}

GridOutcome ChannelGrid::Undo() {
    return Walk(history_.Undo(), true);
}

GridOutcome ChannelGrid::Redo() {
    return Walk(history_.Redo(), false);
}

GridOutcome ChannelGrid::Walk(const GridStep* step, bool undo) {
    GridOutcome outcome;
    if (step == nullptr) {
        return outcome;
    }
    for (const RowChange& change : step->changes) {
        rows_[static_cast<std::size_t>(change.row)] = undo ? change.before : change.after;
        outcome.changedRows.push_back(change.row);
    }
    outcome.selectRows = outcome.changedRows;
    return outcome;
}

GridOutcome ChannelGrid::Refused(std::string message) const {
    GridOutcome outcome;
    outcome.refused = true;
    outcome.message = std::move(message);
    return outcome;
}

GridOutcome ChannelGrid::RowOperation(const TextPair& name, const RowOpResult& result,
                                      GridRows next) {
    if (!result.refusal.empty()) {
        return Refused(result.refusal);
    }
    return Apply(name, std::move(next), result.select);
}

GridOutcome ChannelGrid::ApplyTexts(const TextPair& name, const ChannelGridTexts& texts,
                                    std::vector<int> selectRows) {
    GridRows next = rows_;
    for (std::size_t i = 0; i < next.size(); ++i) {
        next[i].texts = texts[i];
    }
    return Apply(name, std::move(next), std::move(selectRows));
}

GridOutcome ChannelGrid::Apply(const TextPair& name, GridRows next, std::vector<int> selectRows) {
    GridOutcome outcome;
    outcome.selectRows = std::move(selectRows);
    GridStep step{name, {}};
    for (int i = 0; i < kChannelCount; ++i) {
        const auto at = static_cast<std::size_t>(i);
        if (next[at] == rows_[at]) {
            continue;
        }
        step.changes.push_back({i, std::move(rows_[at]), next[at]});
        rows_[at] = std::move(next[at]);
        outcome.changedRows.push_back(i);
    }
    if (!step.changes.empty()) {
        history_.Push(std::move(step));
    }
    return outcome;
}

} // namespace velmora
