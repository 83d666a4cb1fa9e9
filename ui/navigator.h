#pragma once
// First/Prior/Next/Last buttons over a table, a query or anything else that steps.

#include <QWidget>
#include <memory>
#include <vector>

class QToolButton;

namespace store {
class Query;
class Table;
}  // namespace store

namespace ui {

// What a navigator drives. bof()/eof() are the ends as the target reports them.
class NavigationTarget {
public:
    virtual ~NavigationTarget() = default;
    virtual void first() = 0;
    virtual void prior() = 0;
    virtual void next() = 0;
    virtual void last() = 0;
    virtual bool bof() const = 0;
    virtual bool eof() const = 0;
    virtual bool isEmpty() const = 0;
};

std::unique_ptr<NavigationTarget> tableTarget(store::Table& table);
std::unique_ptr<NavigationTarget> queryTarget(store::Query& query);

// Steps `index` through `list` (a window's bank accounts, say); both must outlive the target.
template <class T>
class IndexTarget : public NavigationTarget {
public:
    IndexTarget(const std::vector<T>& list, int& index) : list_(list), index_(index) {}
    void first() override { index_ = 0; }
    void prior() override {
        if (index_ > 0) --index_;
    }
    void next() override {
        if (index_ + 1 < count()) ++index_;
    }
    void last() override { index_ = count() - 1; }
    bool bof() const override { return index_ <= 0; }
    bool eof() const override { return index_ >= count() - 1; }
    bool isEmpty() const override { return list_.empty(); }

private:
    int count() const { return int(list_.size()); }
    const std::vector<T>& list_;
    int& index_;
};

template <class T>
std::unique_ptr<NavigationTarget> indexTarget(const std::vector<T>& list, int& index) {
    return std::make_unique<IndexTarget<T>>(list, index);
}

class Navigator : public QWidget {
    Q_OBJECT
public:
    explicit Navigator(QWidget* parent = nullptr);
    ~Navigator() override;

    // The table or query must outlive the binding; nullptr unbinds.
    void setTable(store::Table* table);
    void setQuery(store::Query* query);
    void setTarget(std::unique_ptr<NavigationTarget> target);

    // Off: every button disabled (while a record is added or edited). On: buttons follow the
    // position again.
    void setEnabledAll(bool enabled);
    // First/Prior disabled at the beginning, Next/Last at the end, all without a target or
    // without records.
    void updateButtons();

    QToolButton* firstButton() const { return first_; }
    QToolButton* priorButton() const { return prior_; }
    QToolButton* nextButton() const { return next_; }
    QToolButton* lastButton() const { return last_; }

signals:
    // After a move that succeeded.
    void moved();

private:
    QToolButton* addButton(const char* name, const QString& tip, int icon);
    void move(void (NavigationTarget::*step)());

    std::unique_ptr<NavigationTarget> target_;
    bool enabledAll_ = true;
    QToolButton* first_;
    QToolButton* prior_;
    QToolButton* next_;
    QToolButton* last_;
};

}  // namespace ui
