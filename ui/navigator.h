#pragma once
// First/Prior/Next/Last buttons over a table, a query or anything else that steps.

#include <QWidget>
#include <memory>

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
