#include "channels/GridRowOps.h"

#include <algorithm>
#include <cstdint>
#include <tuple>
#include <utility>

namespace velmora {

namespace {

bool InUse(const GridRow& row) {
    return std::any_of(row.texts.begin(), row.texts.end(),
                       [](const std::string& text) { return !text.empty(); });
}

RowOpResult Refused(const TextPair& message, Language lang, int channel) {
    return {FillText(message, lang, {std::to_string(channel)}), {}};
}

RowOpResult NothingSelected(Language lang) {
    return {std::string(txt::MsgNothingSelected.In(lang)), {}};
}

} // namespace

RowOpResult InsertRows(GridRows& rows, const GridSelection& at, Language lang) {
    if (at.IsEmpty()) {
        return NothingSelected(lang);
    }
    const std::set<int>& picked = at.Rows();
    const int keep = kChannelCount - static_cast<int>(picked.size());
    for (int row = keep; row < kChannelCount; ++row) {
        if (InUse(rows[static_cast<std::size_t>(row)])) {
            return Refused(txt::MsgInsertRowInUse, lang, row);
        }
    }
    // The empty rows pushed off the end are the ones that come in, bytes and all.
    GridRows moved;
    RowOpResult result;
    int spare = keep;
    std::size_t out = 0;
    for (int row = 0; row < keep; ++row) {
        if (picked.contains(row)) {
            result.select.push_back(static_cast<int>(out));
            moved[out++] = std::move(rows[static_cast<std::size_t>(spare++)]);
        }
        moved[out++] = std::move(rows[static_cast<std::size_t>(row)]);
    }
    // A picked row among the last ones is itself pushed off; its empty row goes at the end.
    while (spare < kChannelCount) {
        result.select.push_back(static_cast<int>(out));
        moved[out++] = std::move(rows[static_cast<std::size_t>(spare++)]);
    }
    rows = std::move(moved);
    return result;
}

RowOpResult DeleteRows(GridRows& rows, const GridSelection& at, Language lang) {
    if (at.IsEmpty()) {
        return NothingSelected(lang);
    }
    const std::set<int>& picked = at.Rows();
    GridRows moved;
    std::size_t out = 0;
    for (int row = 0; row < kChannelCount; ++row) {
        if (!picked.contains(row)) {
            moved[out++] = std::move(rows[static_cast<std::size_t>(row)]);
        }
    }
    for (int row : picked) {
        GridRow& taken = rows[static_cast<std::size_t>(row)];
        taken.texts = ChannelTexts{};
        moved[out++] = std::move(taken);
    }
    rows = std::move(moved);
    return {{}, {*picked.begin()}};
}

RowOpResult MoveRows(GridRows& rows, const GridSelection& at, int step, Language lang) {
    if (at.IsEmpty()) {
        return NothingSelected(lang);
    }
    const std::set<int>& picked = at.Rows();
    RowOpResult result;
    if (step < 0) {
        if (*picked.begin() == 0) {
            return Refused(txt::MsgMoveUpAtTop, lang, 0);
        }
        for (int row : picked) {
            std::swap(rows[static_cast<std::size_t>(row - 1)], rows[static_cast<std::size_t>(row)]);
            result.select.push_back(row - 1);
        }
        return result;
    }
    if (*picked.rbegin() == kChannelCount - 1) {
        return Refused(txt::MsgMoveDownAtEnd, lang, kChannelCount - 1);
    }
    for (auto row = picked.rbegin(); row != picked.rend(); ++row) {
        std::swap(rows[static_cast<std::size_t>(*row)], rows[static_cast<std::size_t>(*row + 1)]);
        result.select.insert(result.select.begin(), *row + 1);
    }
    return result;
}

RowOpResult SortRows(GridRows& rows, const GridSelection& at, SortKey key) {
    std::vector<int> places(at.Rows().begin(), at.Rows().end());
    if (places.size() < 2) {
        places.clear();
        for (int row = 0; row < kChannelCount; ++row) {
            places.push_back(row);
        }
    }
    // (empty channel, no name, frequency, name): the smaller sorts first.
    using SortOrder = std::tuple<bool, bool, std::int32_t, std::string_view>;
    std::vector<std::pair<SortOrder, GridRow*>> order;
    order.reserve(places.size());
    for (int place : places) {
        GridRow& row = rows[static_cast<std::size_t>(place)];
        const std::string& name = Cell(row.texts, Column::Name);
        const bool empty = !InUse(row);
        order.push_back({key == SortKey::Name
                             ? SortOrder{empty, name.empty(), 0, name}
                             : SortOrder{empty, false, FrequencyUnits(Cell(row.texts, Column::Rx)),
                                         std::string_view()},
                         &row});
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<GridRow> sorted;
    sorted.reserve(order.size());
    for (const auto& entry : order) {
        sorted.push_back(std::move(*entry.second));
    }
    for (std::size_t k = 0; k < places.size(); ++k) {
        rows[static_cast<std::size_t>(places[k])] = std::move(sorted[k]);
    }
    return {{}, places};
}

} // namespace velmora
