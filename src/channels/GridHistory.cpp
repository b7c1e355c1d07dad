#include "channels/GridHistory.h"

#include <utility>

namespace velmora {

void GridHistory::Clear() {
    steps_.clear();
    done_ = 0;
    clean_ = 0;
}

void GridHistory::Push(GridStep step) {
    steps_.resize(done_);
    if (clean_ && *clean_ > done_) {
        clean_.reset();
    }
    steps_.push_back(std::move(step));
    ++done_;
}

const GridStep* GridHistory::Undo() {
    if (!CanUndo()) {
        return nullptr;
    }
    return &steps_[--done_];
}

const GridStep* GridHistory::Redo() {
    if (!CanRedo()) {
        return nullptr;
    }
    return &steps_[done_++];
}

} // namespace velmora
