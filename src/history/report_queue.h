#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "history/report_row.h"

namespace pluvetta {

// Rows waiting to be written while the store cannot take them (locked, disk full).
inline constexpr std::size_t kQueueBound = 10'000;

// The rows not yet written, oldest first, never more than its bound: past it the oldest row
// is dropped and counted as lost.
class ReportQueue {
  public:
    // Writes a batch in one go, all or nothing; false when nothing could be written.
    using Writer = std::function<bool(std::span<const ReportRow>)>;

    explicit ReportQueue(std::size_t bound = kQueueBound) : bound_(bound) {}

    void Push(ReportRow row);
    // Hands every waiting row to `write` at once; they leave the queue only when it succeeds.
    // True when the queue is empty afterwards.
    bool Drain(const Writer& write);

    std::size_t Size() const { return rows_.size(); }
    std::uint64_t Lost() const { return lost_; }
    // True once: on the first call after the first row was lost.
    bool TakeFirstLoss();

  private:
    std::size_t bound_;
    std::vector<ReportRow> rows_;
    std::uint64_t lost_ = 0;
    bool lossTold_ = false;
};

}  // namespace pluvetta
