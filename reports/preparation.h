#pragma once
// A report prepared in small steps, so that a window can run it from its event loop with a
// progress bar and a Cancel button. The first step lists the work (for example one aggregate
// query per account); each later step does one piece of it.

#include <functional>
#include <vector>

namespace reports {

class Preparation {
public:
    virtual ~Preparation() = default;

    // Starts again from nothing: every total back to 0.
    void restart() {
        tasks_.clear();
        next_ = 0;
        started_ = false;
    }
    // Does the next piece of work; false once everything is done. Errors propagate.
    bool step() {
        if (!started_) {
            started_ = true;
            begin();
            if (tasks_.empty()) {
                finish();
                return false;
            }
            return true;
        }
        if (next_ < tasks_.size()) {
            tasks_[next_++]();
            if (next_ == tasks_.size()) finish();
            return next_ < tasks_.size();
        }
        return false;
    }
    // Runs every remaining step (tests, benchmarks, direct printing).
    void runToEnd() {
        while (step()) {}
    }
    int done() const { return int(next_); }
    int total() const { return int(tasks_.size()); }

protected:
    // Resets the totals, reads what lists the work and queues it with addTask.
    virtual void begin() = 0;
    // Called once after the last task, or right after begin() when it queued none.
    virtual void finish() = 0;
    void addTask(std::function<void()> task) { tasks_.push_back(std::move(task)); }

private:
    std::vector<std::function<void()>> tasks_;
    size_t next_ = 0;
    bool started_ = false;
};

}  // namespace reports
