#include "history/report_queue.h"

#include <utility>

namespace pluvetta {

void ReportQueue::Push(ReportRow row) {
    rows_.push_back(std::move(row));
    // The newest rows are the ones a barograph misses most.
    if (rows_.size() > bound_) {
        const std::size_t over = rows_.size() - bound_;
        rows_.erase(rows_.begin(), rows_.begin() + static_cast<std::ptrdiff_t>(over));
        lost_ += over;
    }
}

bool ReportQueue::Drain(const Writer& write) {
    if (rows_.empty()) return true;
    if (!write(rows_)) return false;
    rows_.clear();
    return true;
}

bool ReportQueue::TakeFirstLoss() {
    if (lost_ == 0 || lossTold_) return false;
    lossTold_ = true;
    return true;
}

}  // namespace pluvetta
